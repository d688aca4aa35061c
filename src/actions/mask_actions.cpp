#include "mask_actions.h"

#include "ansi_text.h"
#include "color_text.h"
#include "host_bridge.h"
#include "host_window_actions.h"
#include "mask_picture.h"
#include "mask_region.h"
#include "param_text.h"
#include "plugin_state.h"
#include "system_color.h"

namespace kv::actions {
namespace {

constexpr AnsiText kMaskFailed{"Ошибка наложения маски"};
constexpr const char* kNotABitmap = "Bitmap image is not valid";

}  // namespace

bool qvSetCustomWindowMask(std::string picture, std::string object, std::string color) {
    HWND window = nullptr;
    if (EqualsNoCase(object, "MainWindow")) {
        window = State().HostWindow;
    } else if (const auto found = ObjectWindow(object)) {
        window = *found;
    }
    if (window == nullptr) return false;

    std::optional<PicturePixels> pixels;
    if (const auto bytes = ReadPictureBytes(picture)) {
        pixels = DecodeBitmap(*bytes);
        if (!pixels) {
            ReportError(kNotABitmap);
            return false;
        }
    }
    const auto transparent = ParseColorText(color);
    win::UniqueRegion region;
    if (pixels && transparent) {
        region = MaskRegionOfBitmap(pixels->rows(),
                                    static_cast<uint32_t>(ResolveSystemColor(*transparent)));
    }
    if (!region) {
        ReportError(kMaskFailed.c_str());
        return false;
    }

    // The picture covers the client area: move it past the frame.
    RECT outer{};
    RECT client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    const LONG side = ((outer.right - outer.left) - client.right) / 2;
    ::OffsetRgn(region.get(), side, (outer.bottom - outer.top) - client.bottom - side);
    if (!::SetWindowRgn(window, region.get(), TRUE)) {
        ReportError(kMaskFailed.c_str());
        return false;
    }
    region.release();  // the window owns it now
    return true;
}

}  // namespace kv::actions
