#include "text/language_table.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iconv.h>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace dustbane {
namespace {

const std::filesystem::path resources =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "resources";

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Strict conversion to UTF-8: nothing when a byte sequence is not valid in the code page.
std::optional<std::string> decode(const std::string& bytes, const char* codePage) {
    iconv_t converter = iconv_open("UTF-8", codePage);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string in = bytes;
    std::string out(bytes.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

struct LanguageFile {
    const char* code;
    const char* codePage;
};

void PrintTo(const LanguageFile& file, std::ostream* out) {
    *out << file.code;
}

class ShippedLanguageFile : public ::testing::TestWithParam<LanguageFile> {};

TEST_P(ShippedLanguageFile, HasOneCrLfLinePerEntryInItsCodePage) {
    const LanguageFile file = GetParam();
    const std::string bytes = readBytes(resources / "lang" / (std::string(file.code) + ".ini"));
    ASSERT_FALSE(bytes.empty()) << file.code << ".ini is missing or empty";

    EXPECT_TRUE(bytes.ends_with("\r\n")) << "the last entry ends its line too";
    EXPECT_EQ(bytes.find('\0'), std::string::npos) << "a NUL byte would end the text early";
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << "a byte-order mark would join entry 0";
    for (size_t i = 0; i < bytes.size(); ++i) {
        bool crOfPair = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        bool lfOfPair = bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r';
        ASSERT_TRUE((bytes[i] != '\r' && bytes[i] != '\n') || crOfPair || lfOfPair)
            << "lone line end at byte " << i;
    }

    const std::optional<std::string> text = decode(bytes, file.codePage);
    ASSERT_TRUE(text) << file.code << ".ini is not valid " << file.codePage;
    const std::vector<std::string> lines = splitCrLf(*text);
    ASSERT_EQ(lines.size(), static_cast<size_t>(LanguageTable::size));

    const std::set<size_t> reserved = {11, 12, 33};
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (reserved.contains(i)) {
            EXPECT_EQ(line, "") << "reserved entry " << i;
            continue;
        }
        ASSERT_FALSE(line.empty()) << "entry " << i;
        // The program joins entries with blanks of its own.
        EXPECT_NE(line.front(), ' ') << "entry " << i;
        EXPECT_NE(line.back(), ' ') << "entry " << i;
    }
    EXPECT_EQ(lines[0], "Dustbane") << "the program keeps its name in every language";
}

TEST_P(ShippedLanguageFile, IsGeneratedFromItsCurrentTranslation) {
    const LanguageFile file = GetParam();
    const std::string bytes = readBytes(resources / "lang" / (std::string(file.code) + ".ini"));
    const std::string source =
        readBytes(resources / "translations" / (std::string(file.code) + ".txt"));
    ASSERT_FALSE(source.empty());

    std::string expected;
    std::istringstream lines(source);
    for (std::string line; std::getline(lines, line);) {
        expected += line + "\r\n";
    }
    EXPECT_EQ(decode(bytes, file.codePage), expected)
        << "run resources/translations/make_lang_files.py";
}

TEST_P(ShippedLanguageFile, LoadsIntoTheTableEntryForEntry) {
    const LanguageFile file = GetParam();
    const std::optional<std::string> text =
        decode(readBytes(resources / "lang" / (std::string(file.code) + ".ini")), file.codePage);
    ASSERT_TRUE(text);
    const std::vector<std::string> lines = splitCrLf(*text);
    ASSERT_EQ(lines.size(), static_cast<size_t>(LanguageTable::size));

    LanguageTable table;
    table.loadText(*text);
    int translated = 0;
    for (int i = 0; i < LanguageTable::size; ++i) {
        EXPECT_EQ(table.text(i), lines[i]) << "entry " << i;
        translated += lines[i] != LanguageTable::builtIn()[i] ? 1 : 0;
    }
    EXPECT_GT(translated, 50) << "most entries differ from the English defaults";
    EXPECT_NE(table.text(LanguageTable::size - 1), LanguageTable::builtIn().back());
}

INSTANTIATE_TEST_SUITE_P(LanguageFiles, ShippedLanguageFile,
                         ::testing::Values(LanguageFile{"de", "CP1252"},
                                           LanguageFile{"fr", "CP1252"},
                                           LanguageFile{"cn", "CP936"},
                                           LanguageFile{"ct", "CP950"}),
                         [](const auto& param) { return std::string(param.param.code); });

} // namespace
} // namespace dustbane
