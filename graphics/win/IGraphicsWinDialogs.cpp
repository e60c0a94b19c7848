// The editor's dialogs: web pages, files, colours and the clipboard.
#include "graphics/win/IGraphicsWin.h"

#include "graphics/win/DesktopFolders.h"
#include "graphics/win/UrlOpener.h"
#include "graphics/win/WideText.h"
#include "graphics/win/WindowsHeaders.h"

#include <commdlg.h>

#include <cstring>
#include <string>

namespace {

HWND Hwnd(void* handle) {
    return static_cast<HWND>(handle);
}

constexpr int kFileNameSize = 256;
constexpr int kFilterSize = 256;
constexpr int kDefaultExtensionSize = 16;
constexpr int kCustomColours = 16;

// "wav aif" becomes "*.wav;*.aif": the filter's description and its pattern alike.
std::string PatternOf(const char* extensions) {
    std::string pattern;
    const char* p = extensions ? extensions : "";
    while (*p) {
        while (*p == ' ')
            ++p;
        const char* start = p;
        while (*p && *p != ' ')
            ++p;
        if (p == start)
            break;
        if (!pattern.empty())
            pattern += ';';
        pattern += "*.";
        pattern.append(start, p);
    }
    return pattern;
}

std::string FirstWord(const char* extensions) {
    const char* p = extensions ? extensions : "";
    while (*p == ' ')
        ++p;
    const char* start = p;
    while (*p && *p != ' ')
        ++p;
    return std::string(start, p);
}

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* choose = reinterpret_cast<const CHOOSECOLORW*>(lParam);
        if (choose && choose->lCustData)
            SetWindowTextW(dialog, reinterpret_cast<const wchar_t*>(choose->lCustData));
    }
    return 0;
}

} // namespace

bool IGraphicsWin::OpenUrl(const char* url, const char* title, const char* confirmText,
                           const char* failureText) {
    const std::wstring caption = WideOf(title);
    if (confirmText && *confirmText &&
        MessageBoxW(Hwnd(window), WideOf(confirmText).c_str(), caption.c_str(), MB_YESNO) != IDYES)
        return false;
    if (InternetAvailable() && LaunchUrlOpener(url))
        return true;
    if (failureText && *failureText)
        MessageBoxW(Hwnd(window), WideOf(failureText).c_str(), caption.c_str(), MB_OK);
    return false;
}

void IGraphicsWin::PromptForFile(TextBuffer& file, int action, TextBuffer& folder,
                                 const char* extensions) {
    if (!window) {
        file.Set("");
        return;
    }
    // Fixed capacities: a longer name, filter or extension is cut where it ends.
    wchar_t name[kFileNameSize] = {};
    lstrcpynW(name, WideOf(file.Get()).c_str(), kFileNameSize);
    if (folder.Length() == 0)
        DesktopFolder(folder);
    const std::wstring initialFolder = WideOf(folder.Get());
    const std::wstring pattern = WideOf(PatternOf(extensions).c_str());
    wchar_t filter[kFilterSize] = {};
    // Description, pattern, and the empty entry that ends the list.
    const size_t patternLength = pattern.size();
    if (patternLength > 0 && 2 * (patternLength + 1) + 1 <= kFilterSize) {
        std::memcpy(filter, pattern.c_str(), patternLength * sizeof(wchar_t));
        std::memcpy(filter + patternLength + 1, pattern.c_str(), patternLength * sizeof(wchar_t));
    }
    wchar_t defaultExtension[kDefaultExtensionSize] = {};
    lstrcpynW(defaultExtension, WideOf(FirstWord(extensions).c_str()).c_str(),
              kDefaultExtensionSize);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Hwnd(window);
    dialog.lpstrFilter = filter[0] ? filter : nullptr;
    dialog.lpstrFile = name;
    dialog.nMaxFile = kFileNameSize;
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrDefExt = defaultExtension[0] ? defaultExtension : nullptr;
    const bool save = action == 1;
    dialog.Flags =
        save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) {
        file.Set("");
        return;
    }
    // Drive and directory: everything before the file part the dialog points at.
    const std::wstring directory(name,
                                 dialog.nFileOffset < lstrlenW(name) ? dialog.nFileOffset : 0);
    folder.Set(Utf8Of(directory.c_str()).c_str());
    file.Set(Utf8Of(name).c_str());
}

bool IGraphicsWin::PromptForColour(Colour& colour, const char* title) {
    if (!window)
        return false;
    if (!customColours)
        customColours = new uint32_t[kCustomColours]();
    const std::wstring caption = WideOf(title);
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Hwnd(window);
    dialog.rgbResult = RGB(colour.red, colour.green, colour.blue);
    dialog.lpCustColors = reinterpret_cast<COLORREF*>(customColours);
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ANYCOLOR | CC_ENABLEHOOK;
    dialog.lpfnHook = ColourDialogHook;
    dialog.lCustData = caption.empty() ? 0 : reinterpret_cast<LPARAM>(caption.c_str());
    if (!ChooseColorW(&dialog))
        return false;
    colour.red = GetRValue(dialog.rgbResult);
    colour.green = GetGValue(dialog.rgbResult);
    colour.blue = GetBValue(dialog.rgbResult);
    return true;
}

bool IGraphicsWin::ReadClipboardText(TextBuffer& out) {
    out.Set("");
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT))
        return false;
    if (!OpenClipboard(Hwnd(window)))
        return false;
    bool read = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            out.Set(Utf8Of(text).c_str());
            GlobalUnlock(data);
            read = true;
        }
    }
    CloseClipboard();
    return read;
}
