#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::filesystem::path endSound =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "resources" /
    "end.wav";

uint32_t littleEndian(const std::string& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) {
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes.at(at + i))) << (8 * i);
    }
    return value;
}

// PlaySound plays plain PCM RIFF files only; anything else falls back to the system's
// default sound.
TEST(EndSound, IsAShortQuietEndedPcmChime) {
    std::ifstream in(endSound, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GE(bytes.size(), 44u);
    ASSERT_EQ(bytes.substr(0, 4), "RIFF");
    ASSERT_EQ(bytes.substr(8, 4), "WAVE");
    EXPECT_EQ(littleEndian(bytes, 4, 4), bytes.size() - 8);

    uint32_t rate = 0;
    std::vector<int16_t> samples;
    for (size_t chunk = 12; chunk + 8 <= bytes.size();) {
        const std::string id = bytes.substr(chunk, 4);
        const uint32_t size = littleEndian(bytes, chunk + 4, 4);
        ASSERT_LE(chunk + 8 + size, bytes.size()) << id << " chunk overruns the file";
        if (id == "fmt ") {
            EXPECT_EQ(littleEndian(bytes, chunk + 8, 2), 1u) << "PCM";
            EXPECT_EQ(littleEndian(bytes, chunk + 10, 2), 1u) << "mono";
            rate = littleEndian(bytes, chunk + 12, 4);
            EXPECT_EQ(littleEndian(bytes, chunk + 22, 2), 16u) << "bits per sample";
        } else if (id == "data") {
            for (size_t at = chunk + 8; at + 1 < chunk + 8 + size; at += 2) {
                samples.push_back(static_cast<int16_t>(littleEndian(bytes, at, 2)));
            }
        }
        chunk += 8 + size + (size & 1);
    }
    ASSERT_TRUE(rate == 22050 || rate == 44100) << rate;
    ASSERT_FALSE(samples.empty());

    const double seconds = static_cast<double>(samples.size()) / rate;
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 1.5) << "the run waits for the sound to finish";

    int peak = 0;
    for (int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    EXPECT_GT(peak, 8000) << "audible";
    EXPECT_LT(peak, 32767) << "not clipped";
    EXPECT_LT(std::abs(samples.front()), 500) << "no click at the start";
    EXPECT_LT(std::abs(samples.back()), 500) << "no click at the end";
}

} // namespace
