#include "resource/ImageVariant.h"

#include "base/Language.h"

namespace image_variant {

std::string InUse(const std::string& name, const std::function<bool(const std::string&)>& present) {
    if (language::SourceInUse()) {
        return name;
    }
    std::string variant = NameIn(name, language::Current());
    return present(variant) ? variant : name;
}

}  // namespace image_variant
