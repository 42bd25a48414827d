// Screenshots for tests: what a window (or the whole screen) shows, as PNG.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string_view>

#include "icons/image.h"

namespace trevalon::test {

// The pixels on screen inside the window's rectangle, or the whole screen
// when `window` is null; opaque. Nothing when the area is empty or the
// capture fails.
std::optional<Image> capture_screen(HWND window);

// capture_screen written as a PNG file; false when nothing was written.
bool save_screenshot(HWND window, const std::filesystem::path& png);

// The screenshot as "<name>.png" in the run's artefact folder; false when
// the run collects no artefacts or the capture fails.
bool save_artifact_screenshot(HWND window, std::string_view name);

}  // namespace trevalon::test
