#include "icons/image.h"

namespace trevalon {

bool well_formed(const Image& image) {
    return !image.empty() && image.rgba.size() == static_cast<std::size_t>(image.width) *
                                                      static_cast<std::size_t>(image.height) * 4;
}

}  // namespace trevalon
