#include "options/win32/options_dialog.h"

#include "options/win32/check_list_view.h"
#include "options/win32/options_ids.h"
#include "options/win32/target_boxes.h"
#include "platform/win32/controls.h"
#include "platform/win32/text.h"

#include <algorithm>
#include <shellapi.h>
#include <stdexcept>
#include <uxtheme.h>

namespace dustbane {

using win32::narrow;
using win32::widen;

namespace {

const wchar_t* const optionsClass = L"TForm2";

constexpr std::array<int, 6> pageTemplates = {IDD_PAGE_GENERAL, IDD_PAGE_FILTERS,
                                              IDD_PAGE_PATHES,  IDD_PAGE_SPECIFIC,
                                              IDD_PAGE_CLEAN,   IDD_PAGE_BROWSERS};
constexpr std::array<const wchar_t*, 6> pageNames = {L"General",  L"Filters", L"Pathes",
                                                     L"Specific", L"Clean",   L"Browsers and apps"};

struct FlagBox {
    int id;
    bool CleanSettings::*field;
};

// The cleaning targets' boxes are made from the target list.
constexpr std::array<FlagBox, 13> flagBoxes = {{
    {IDX_SAVEPOS, &CleanSettings::Savepos},
    {IDX_DISPLAYBOX, &CleanSettings::Displaybox},
    {IDX_CONTEXTMENU, &CleanSettings::Contextmenu},
    {IDX_DISPLAY, &CleanSettings::Display},
    {IDX_RECYCLE, &CleanSettings::Recycle},
    {IDX_LOGS, &CleanSettings::Logs},
    {IDX_TEMPFILE, &CleanSettings::Tempfile},
    {IDX_PICTHUMB, &CleanSettings::Picthumb},
    {IDX_LOGFILE, &CleanSettings::Logfile},
    {IDX_OLDFILE, &CleanSettings::Oldfile},
    {IDX_ZEROFILE, &CleanSettings::Zerofile},
    {IDX_EMPFOLDER, &CleanSettings::Empfolder},
    {IDX_DELFOLDER, &CleanSettings::Delfolder},
}};

// The number fields with up-down arrows: what typing sets, and the value shown again when the
// field loses the focus.
struct NumberBox {
    int id;
    int spin;
    int32_t CleanSettings::*field;
    void (OptionsLogic::*setText)(const std::string&);
    int32_t low;
    int32_t high;
};

const std::array<NumberBox, 2> numberBoxes = {{
    {IDE_LOGDAY, IDC_LOGDAY_SPIN, &CleanSettings::Logday, &OptionsLogic::setLogDaysText, minLogDays,
     maxLogDays},
    {IDE_AGEHOURS, IDC_AGEHOURS_SPIN, &CleanSettings::Agehours, &OptionsLogic::setAgeHoursText,
     minAgeHours, maxAgeHours},
}};

struct ListBox {
    PathListKind kind;
    int list;
    int add;
    int remove;
};

constexpr std::array<ListBox, 4> listBoxes = {{
    {PathListKind::Paths, IDC_PATHS_LIST, IDC_PATHS_ADD, IDC_PATHS_DELETE},
    {PathListKind::ExcludedPaths, IDC_PATHEX_LIST, IDC_PATHEX_ADD, IDC_PATHEX_DELETE},
    {PathListKind::Folders, IDC_FOLDERS_LIST, IDC_FOLDERS_ADD, IDC_FOLDERS_DELETE},
    {PathListKind::Files, IDC_FILES_LIST, IDC_FILES_ADD, IDC_FILES_DELETE},
}};

int targetBoxId(size_t index) {
    return IDX_FIRST_TARGET + static_cast<int>(index);
}

const ListBox& listBoxOf(PathListKind kind) {
    return *std::find_if(listBoxes.begin(), listBoxes.end(),
                         [kind](const ListBox& box) { return box.kind == kind; });
}

// The rows of the two drop-down lists: a kind's row is its ScheduleKind value, a day's row
// its number.
constexpr std::array<Text, 3> scheduleKinds = {Text::ScheduleOff, Text::ScheduleDaily,
                                               Text::ScheduleWeekly};
constexpr std::array<Text, 7> weekDays = {Text::Sunday,    Text::Monday,   Text::Tuesday,
                                          Text::Wednesday, Text::Thursday, Text::Friday,
                                          Text::Saturday};

// The user's short time format, in the picture the time picker takes; a 24-hour clock when
// the system has none.
std::wstring shortTimeFormat() {
    wchar_t format[80];
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTTIME, format, ARRAYSIZE(format)) >
        0) {
        return format;
    }
    return L"HH:mm";
}

constexpr std::array<int, 4> redLabels = {IDT_EXT_CAREFULLY, IDT_FILESNAME_CAREFULLY,
                                          IDT_FOLDERS_CAREFULLY, IDT_FILES_CAREFULLY};

std::string textOf(HWND control) {
    return win32::Control(control).text();
}

void setCheck(HWND box, bool checked) {
    win32::ButtonControl(box).setChecked(checked);
}

// The row's picture in the shell's small system image list; 0 is the generic document,
// which the lists show as 1.
int smallIconIndex(const std::string& path) {
    SHFILEINFOW info{};
    SHGetFileInfoW(widen(path).c_str(), 0, &info, sizeof info,
                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return info.iIcon == 0 ? 1 : info.iIcon;
}

void registerWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefDlgProcW;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = optionsClass;
    RegisterClassExW(&windowClass);
}

} // namespace

OptionsDialog::OptionsDialog(HINSTANCE instance, AppServices& app, OptionsLogic& logic,
                             std::function<void()> help)
    : instance_(instance), app_(app), logic_(logic), help_(std::move(help)) {}

OptionsDialog::~OptionsDialog() {
    win32::detachAndDestroy(window_);
}

void OptionsDialog::create(HWND mainWindow) {
    owner_ = mainWindow;
    registerWindowClass(instance_);
    window_ = CreateDialogParamW(instance_, MAKEINTRESOURCEW(IDD_OPTIONS), owner_,
                                 win32::dialogProcedure<OptionsDialog, &OptionsDialog::frameHandle>,
                                 reinterpret_cast<LPARAM>(this));
    if (!window_) {
        if (createError_) {
            std::rethrow_exception(createError_);
        }
        throw std::runtime_error("The options dialog could not be created.");
    }
}

void OptionsDialog::show(OptionsPage page) {
    if (!window_ || modal_.running()) {
        return;
    }
    logic_.shown();
    fill();
    selectPage(static_cast<int>(page));
    modal_.run(window_, owner_, tabs_, [this](MSG& message) {
        return switchPageKey(message) || IsDialogMessageW(window_, &message);
    });
}

INT_PTR OptionsDialog::frameHandle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) {
        return frameMessage(message, wParam, lParam);
    }
    // A failure here fails CreateDialogParam, and create() reports why.
    window_ = window;
    try {
        initialise();
    } catch (...) {
        createError_ = std::current_exception();
        DestroyWindow(window);
        return FALSE;
    }
    return TRUE;
}

INT_PTR OptionsDialog::pageHandle(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_INITDIALOG ? FALSE : pageMessage(message, wParam, lParam);
}

INT_PTR OptionsDialog::frameMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        notify(*reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_CLOSE:
        close(false);
        return TRUE;
    default:
        return FALSE;
    }
}

// The pages' controls report to their page: handled as the frame's, but for the red labels.
INT_PTR OptionsDialog::pageMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CTLCOLORSTATIC) {
        return frameMessage(message, wParam, lParam);
    }
    int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (std::find(redLabels.begin(), redLabels.end(), id) == redLabels.end()) {
        return FALSE;
    }
    // Drawn over the page's own background, themed or not.
    HDC context = reinterpret_cast<HDC>(wParam);
    SetTextColor(context, RGB(255, 0, 0));
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

void OptionsDialog::initialise() {
    tabs_ = GetDlgItem(window_, IDC_PAGES);
    for (int i = 0; i < pageCount; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(pageNames[static_cast<size_t>(i)]);
        TabCtrl_InsertItem(tabs_, i, &item);
    }
    RECT area{};
    GetWindowRect(tabs_, &area);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
    TabCtrl_AdjustRect(tabs_, FALSE, &area);
    for (size_t i = 0; i < pages_.size(); ++i) {
        pages_[i] =
            CreateDialogParamW(instance_, MAKEINTRESOURCEW(pageTemplates[i]), window_,
                               win32::dialogProcedure<OptionsDialog, &OptionsDialog::pageHandle>,
                               reinterpret_cast<LPARAM>(this));
        if (!pages_[i]) {
            throw std::runtime_error("The options dialog's page " + narrow(pageNames[i]) +
                                     " could not be created.");
        }
        // Above the page control, which clips its siblings, so that it never paints over a
        // page; the page's controls therefore come first in the tab order.
        SetWindowPos(pages_[i], HWND_TOP, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE);
        EnableThemeDialogTexture(pages_[i], ETDT_ENABLETAB);
    }

    for (const FlagBox& box : flagBoxes) {
        SetWindowTextW(control(box.id), widen(captionOf(box.field)).c_str());
    }
    const bool elevated = app_.platform.system.runsElevated();
    win32::createTargetBoxes(pages_[static_cast<size_t>(OptionsPage::Clean)], instance_,
                             app_.targets, win32::BoxPage::Clean, elevated);
    win32::createTargetBoxes(pages_[static_cast<size_t>(OptionsPage::BrowsersAndApps)], instance_,
                             app_.targets, win32::BoxPage::BrowsersAndApps, elevated);
    for (const NumberBox& box : numberBoxes) {
        win32::UpDownControl(control(box.spin)).setRange(box.low, box.high);
    }
    prepareSchedule();

    SHFILEINFOW info{};
    systemImages_ = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    for (const ListBox& box : listBoxes) {
        win32::CheckListView(control(box.list)).prepare(systemImages_);
    }

    const win32::ToolTipControl toolTips(CreateWindowExW(
        0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr));
    toolTips.addTool(control(IDE_EXT), "input extension part of file to be cleaned");
    toolTips.addTool(control(IDE_FILESNAME), "input full filename to be cleaned");
    for (size_t i = 0; i < app_.targets.size(); ++i) {
        if (const char* hint = app_.targets[i].hint) {
            toolTips.addTool(control(targetBoxId(i)), hint);
        }
    }
}

void OptionsDialog::prepareSchedule() {
    const LanguageTable& language = app_.language;
    win32::Control(control(IDC_SCHEDULE_GROUP)).setText(language.text(Text::ScheduleGroup));
    win32::Control(control(IDT_SCHEDULE_AT)).setText(language.text(Text::ScheduleAt));
    win32::Control(control(IDT_SCHEDULE_NOTE)).setText(language.text(Text::ScheduleNote));
    const win32::ComboBoxControl kinds(control(IDC_SCHEDULE_KIND));
    for (Text kind : scheduleKinds) {
        kinds.add(language.text(kind));
    }
    const win32::ComboBoxControl days(control(IDC_SCHEDULE_DAY));
    for (Text day : weekDays) {
        days.add(language.text(day));
    }
    win32::TimePickerControl(control(IDC_SCHEDULE_TIME)).setFormat(shortTimeFormat());
}

void OptionsDialog::fillSchedule() {
    const CleanSchedule& schedule = app_.settings.Schedule;
    win32::ComboBoxControl(control(IDC_SCHEDULE_KIND)).select(static_cast<int>(schedule.kind));
    win32::ComboBoxControl(control(IDC_SCHEDULE_DAY)).select(schedule.day);
    win32::TimePickerControl(control(IDC_SCHEDULE_TIME)).setMinutes(schedule.minutes);
    enableSchedule();
}

// The day applies to a weekly clean, the time to any.
void OptionsDialog::enableSchedule() {
    const ScheduleKind kind = app_.settings.Schedule.kind;
    win32::Control(control(IDC_SCHEDULE_DAY)).enable(kind == ScheduleKind::Weekly);
    win32::Control(control(IDC_SCHEDULE_TIME)).enable(kind != ScheduleKind::Off);
    win32::Control(control(IDT_SCHEDULE_AT)).enable(kind != ScheduleKind::Off);
}

const TargetSetting* OptionsDialog::targetOfBox(int id) const {
    const size_t index = static_cast<size_t>(id - IDX_FIRST_TARGET);
    return id >= IDX_FIRST_TARGET && index < app_.targets.size() ? &app_.targets[index] : nullptr;
}

HWND OptionsDialog::control(int id) const {
    for (HWND page : pages_) {
        if (HWND found = GetDlgItem(page, id)) {
            return found;
        }
    }
    return GetDlgItem(window_, id);
}

void OptionsDialog::command(int id, int code) {
    CleanSettings& settings = app_.settings;
    auto flag = std::find_if(flagBoxes.begin(), flagBoxes.end(),
                             [id](const FlagBox& box) { return box.id == id; });
    if (flag != flagBoxes.end()) {
        if (code == BN_CLICKED && !filling_) {
            HWND box = control(id);
            logic_.setFlag(flag->field, win32::ButtonControl(box).checked());
            // The recycle-bin question may have ticked it again.
            setCheck(box, settings.*flag->field);
        }
        return;
    }
    if (const TargetSetting* target = targetOfBox(id)) {
        if (code == BN_CLICKED && !filling_) {
            setFlagValue(settings, target->flag,
                         SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED);
        }
        return;
    }
    if (id == IDX_AGELIMIT) {
        if (code == BN_CLICKED && !filling_) {
            settings.Agelimit = win32::ButtonControl(control(id)).checked();
        }
        return;
    }
    auto number = std::find_if(numberBoxes.begin(), numberBoxes.end(),
                               [id](const NumberBox& box) { return box.id == id; });
    if (number != numberBoxes.end()) {
        if (code == EN_CHANGE && !filling_) {
            (logic_.*number->setText)(textOf(control(id)));
        } else if (code == EN_KILLFOCUS) {
            filling_ = true;
            SetWindowTextW(control(id), std::to_wstring(settings.*number->field).c_str());
            filling_ = false;
        }
        return;
    }
    for (const ListBox& box : listBoxes) {
        if (id == box.add && code == BN_CLICKED) {
            add(box.kind);
            return;
        }
        if (id == box.remove && code == BN_CLICKED) {
            remove(box.kind);
            return;
        }
    }
    if ((id == IDC_SCHEDULE_KIND || id == IDC_SCHEDULE_DAY) && code == CBN_SELCHANGE && !filling_) {
        const int row = win32::ComboBoxControl(control(id)).selected();
        if (id == IDC_SCHEDULE_KIND && row >= 0) {
            settings.Schedule.kind = static_cast<ScheduleKind>(row);
            enableSchedule();
        } else if (row >= 0) {
            settings.Schedule.day = row;
        }
        return;
    }
    switch (id) {
    case IDE_EXT:
    case IDE_FILESNAME:
        if (code == EN_CHANGE && !filling_) {
            (id == IDE_EXT ? settings.Ext : settings.FilesName) = textOf(control(id));
        }
        break;
    case IDC_CLEAR_LOG:
        logic_.clearLog();
        break;
    case IDC_VIEW_LOG:
        logic_.viewLog();
        break;
    case IDC_ADD_SEARCH_PATHES:
        selectPage(static_cast<int>(OptionsPage::Pathes));
        add(PathListKind::Paths);
        break;
    case IDC_DEFAULT:
        if (logic_.restoreDefaultsAsked()) {
            fill();
        }
        break;
    case IDC_HELP_BUTTON:
        help_();
        break;
    case IDOK:
        logic_.ok();
        close(true);
        break;
    case IDCANCEL:
        close(false);
        break;
    default:
        break;
    }
}

void OptionsDialog::notify(const NMHDR& header) {
    if (header.idFrom == IDC_PAGES && header.code == TCN_SELCHANGE) {
        selectPage(TabCtrl_GetCurSel(tabs_));
        return;
    }
    if (header.idFrom == IDC_SCHEDULE_TIME && header.code == DTN_DATETIMECHANGE && !filling_) {
        app_.settings.Schedule.minutes = win32::TimePickerControl(header.hwndFrom).minutes();
        return;
    }
    auto box = std::find_if(listBoxes.begin(), listBoxes.end(), [&](const ListBox& candidate) {
        return static_cast<UINT_PTR>(candidate.list) == header.idFrom;
    });
    if (box == listBoxes.end() || header.code != LVN_ITEMCHANGED || filling_) {
        return;
    }
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE)) {
        return;
    }
    win32::CheckListView list(header.hwndFrom);
    UINT changed = change.uNewState ^ change.uOldState;
    CheckedPathList& entries = pathList(app_.settings, box->kind);
    if ((changed & LVIS_STATEIMAGEMASK) && change.iItem >= 0 &&
        static_cast<size_t>(change.iItem) < entries.size()) {
        entries[static_cast<size_t>(change.iItem)].checked = list.checked(change.iItem);
    }
    if (changed & LVIS_SELECTED) {
        EnableWindow(control(box->remove), list.selectedCount() > 0);
    }
}

OptionsPage OptionsDialog::currentPage() const {
    const int index = TabCtrl_GetCurSel(tabs_);
    return index < 0 ? OptionsPage::General
                     : static_cast<OptionsPage>(std::min(index, pageCount - 1));
}

void OptionsDialog::selectPage(int index) {
    index = std::clamp(index, 0, pageCount - 1);
    TabCtrl_SetCurSel(tabs_, index);
    HWND focus = GetFocus();
    for (int i = 0; i < pageCount; ++i) {
        HWND page = pages_[static_cast<size_t>(i)];
        ShowWindow(page, i == index ? SW_SHOWNA : SW_HIDE);
        // Focus left on a hidden page would be lost to the keyboard.
        if (i != index && focus && IsChild(page, focus)) {
            SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tabs_), TRUE);
        }
    }
}

bool OptionsDialog::switchPageKey(const MSG& message) {
    bool pageKey =
        message.wParam == VK_TAB || message.wParam == VK_NEXT || message.wParam == VK_PRIOR;
    if (message.message != WM_KEYDOWN || !pageKey || GetKeyState(VK_CONTROL) >= 0 ||
        (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
        return false;
    }
    bool back =
        message.wParam == VK_PRIOR || (message.wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0);
    int next = (TabCtrl_GetCurSel(tabs_) + (back ? pageCount - 1 : 1)) % pageCount;
    selectPage(next);
    return true;
}

void OptionsDialog::fill() {
    const CleanSettings& settings = app_.settings;
    filling_ = true;
    for (const FlagBox& box : flagBoxes) {
        setCheck(control(box.id), settings.*box.field);
    }
    for (size_t i = 0; i < app_.targets.size(); ++i) {
        setCheck(control(targetBoxId(i)), flagValue(settings, app_.targets[i].flag));
    }
    SetWindowTextW(control(IDE_EXT), widen(settings.Ext).c_str());
    SetWindowTextW(control(IDE_FILESNAME), widen(settings.FilesName).c_str());
    setCheck(control(IDX_AGELIMIT), settings.Agelimit);
    for (const NumberBox& box : numberBoxes) {
        SetWindowTextW(control(box.id), std::to_wstring(settings.*box.field).c_str());
    }
    fillSchedule();
    filling_ = false;
    for (const ListBox& box : listBoxes) {
        fillList(box.kind);
    }
    showPolicyMarks();
}

void OptionsDialog::showPolicyMarks() {
    const Policy& policy = app_.store.policy();
    const std::string& mark = app_.language.text(Text::SetByAdministrator);
    policyMarks_.clear();
    for (const FlagBox& box : flagBoxes) {
        HWND flag = control(box.id);
        policyMarks_.show({flag}, flag, policy.locks(builtInFlag(box.field).name), mark);
    }
    for (size_t i = 0; i < app_.targets.size(); ++i) {
        const TargetSetting& target = app_.targets[i];
        HWND box = control(targetBoxId(i));
        // The administrator group's boxes stay disabled while the program is not elevated.
        if (policy.locks(target.flag.name) || IsWindowEnabled(box)) {
            policyMarks_.show({box}, box, policy.locks(target.flag.name), mark);
        }
    }
    policyMarks_.show({control(IDE_LOGDAY), control(IDC_LOGDAY_SPIN)}, nullptr,
                      policy.locks("Logday"), mark);
    policyMarks_.show({control(IDX_AGELIMIT), control(IDE_AGEHOURS), control(IDC_AGEHOURS_SPIN)},
                      control(IDX_AGELIMIT), policy.locks("Agelimit"), mark);
    // A fixed list has no use for its buttons, and its label takes their room for the mark.
    for (const ListBox& box : listBoxes) {
        const bool fixed = (box.kind == PathListKind::Paths && policy.locks("PathList")) ||
                           (box.kind == PathListKind::Folders && policy.locks("FolderList"));
        for (int id : {box.add, box.remove}) {
            ShowWindow(control(id), fixed ? SW_HIDE : SW_SHOWNA);
        }
    }
    ShowWindow(control(IDT_FOLDERS_CAREFULLY), policy.locks("FolderList") ? SW_HIDE : SW_SHOWNA);
    policyMarks_.show({control(IDC_PATHS_LIST), control(IDC_ADD_SEARCH_PATHES)}, control(IDT_PATHS),
                      policy.locks("PathList"), mark);
    policyMarks_.show({control(IDC_FOLDERS_LIST)}, control(IDT_FOLDERS), policy.locks("FolderList"),
                      mark);
    // While unattended cleaning is not allowed, neither is a scheduled one.
    if (policy.locks("Schedule")) {
        policyMarks_.show({control(IDC_SCHEDULE_KIND), control(IDC_SCHEDULE_DAY),
                           control(IDC_SCHEDULE_TIME), control(IDT_SCHEDULE_AT)},
                          control(IDC_SCHEDULE_GROUP), true, mark);
    } else {
        EnableWindow(control(IDC_SCHEDULE_KIND), TRUE);
        enableSchedule();
    }
}

void OptionsDialog::fillList(PathListKind kind) {
    const ListBox& box = listBoxOf(kind);
    win32::CheckListView list(control(box.list));
    filling_ = true;
    list.clear();
    for (const CheckedPath& entry : pathList(app_.settings, kind)) {
        list.append(widen(entry.text), smallIconIndex(entry.text), entry.checked);
    }
    filling_ = false;
    EnableWindow(control(box.remove), FALSE);
}

void OptionsDialog::add(PathListKind kind) {
    // The folder browser and the file picker have no owner; the dialog must not take clicks
    // while they are open.
    EnableWindow(window_, FALSE);
    bool added = logic_.add(kind);
    EnableWindow(window_, TRUE);
    SetForegroundWindow(window_);
    if (added) {
        fillList(kind);
    }
}

void OptionsDialog::remove(PathListKind kind) {
    const ListBox& box = listBoxOf(kind);
    HWND listWindow = control(box.list);
    logic_.remove(kind, win32::CheckListView(listWindow).selectedRows());
    // The button about to be disabled must not keep the focus.
    SendMessageW(GetParent(listWindow), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(listWindow), TRUE);
    fillList(kind);
}

void OptionsDialog::close(bool accept) {
    if (!modal_.running()) {
        return;
    }
    if (!accept) {
        logic_.closing();
    }
    modal_.end();
}

} // namespace dustbane
