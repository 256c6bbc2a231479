#include "platform/Dpi.h"

#include <iterator>

namespace {

// The functions of user32 that only Windows 10 and later have, looked up once.
struct ScaleFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* getDpiForSystem)() = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    BOOL(WINAPI* setDialogDpiChangeBehavior)(HWND, int, int) = nullptr;

    ScaleFunctions() {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        if (!user32) {
            return;
        }
        Find(user32, "GetDpiForWindow", getDpiForWindow);
        Find(user32, "GetDpiForSystem", getDpiForSystem);
        Find(user32, "GetSystemMetricsForDpi", getSystemMetricsForDpi);
        Find(user32, "AdjustWindowRectExForDpi", adjustWindowRectExForDpi);
        Find(user32, "SetDialogDpiChangeBehavior", setDialogDpiChangeBehavior);
    }

    template <typename F> static void Find(HMODULE module, const char* name, F& function) {
        function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

const ScaleFunctions& Functions() {
    static const ScaleFunctions functions;
    return functions;
}

} // namespace

int SystemDpi() {
    if (Functions().getDpiForSystem) {
        return static_cast<int>(Functions().getDpiForSystem());
    }
    WindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? dpi : kDesignDpi;
}

int DpiOf(HWND hwnd) {
    if (hwnd && Functions().getDpiForWindow) {
        const UINT dpi = Functions().getDpiForWindow(hwnd);
        if (dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

namespace {

constexpr int kPictureDpis[] = {96, 120, 144, 192};

} // namespace

int PictureSet(const DisplayScale& scale) {
    int set = 0;
    for (int i = 0; i < static_cast<int>(std::size(kPictureDpis)); ++i) {
        if (scale.Dpi() >= kPictureDpis[i]) {
            set = i;
        }
    }
    return set;
}

DisplayScale PictureScale(const DisplayScale& scale) {
    return DisplayScale(kPictureDpis[PictureSet(scale)]);
}

int SystemMetricAt(int index, const DisplayScale& scale) {
    if (Functions().getSystemMetricsForDpi) {
        return Functions().getSystemMetricsForDpi(index, static_cast<UINT>(scale.Dpi()));
    }
    // Without it the system's metrics are at the system's scale, which is every window's then.
    return GetSystemMetrics(index);
}

void AdjustWindowRectAt(RECT& rect, DWORD style, bool menu, DWORD exStyle, const DisplayScale& scale) {
    if (Functions().adjustWindowRectExForDpi) {
        Functions().adjustWindowRectExForDpi(&rect, style, menu, exStyle, static_cast<UINT>(scale.Dpi()));
    } else {
        AdjustWindowRectEx(&rect, style, menu, exStyle);
    }
}

unique_hfont MakeScaledFont(const DisplayScale& scale, int designHeight, bool bold, bool underline) {
    LOGFONTA lf{};
    lf.lfHeight = -scale(designHeight);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline;
    lf.lfCharSet = RUSSIAN_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpyA(lf.lfFaceName, "Microsoft Sans Serif");
    return unique_hfont(CreateFontIndirectA(&lf));
}

void KeepDialogLayoutOnScaleChange(HWND dialog) {
    if (Functions().setDialogDpiChangeBehavior) {
        // DDC_DISABLE_ALL for both the mask and the values.
        constexpr int kDisableAll = 0x0001;
        Functions().setDialogDpiChangeBehavior(dialog, kDisableAll, kDisableAll);
    }
}
