#include "scene/game/SaveNotice.h"

#include <string>

#include "gfx/RenderPresets.h"
#include "gfx/RenderStates.h"
#include "resource/SaveFile.h"

namespace {

// Across the field, clear of the result window (down to y 368) and the menu's items (to 384).
constexpr float kCentreX = 224.0f;
constexpr float kCentreY = 414.0f;
constexpr float kBandWidth = 440.0f;
constexpr float kBandHeight = 44.0f;
constexpr int kBandAlpha = 176;
constexpr int kTextWidth = 420;
constexpr int kTextHeight = 36;
constexpr float kTextIndent = 10.0f;
constexpr float kTextDrop = 4.0f;  // two lines of 14 fill 28 of the 36 rows from the top
constexpr int kFontHeight = 14;
constexpr std::uint32_t kTextColour = 0xFFFFFFFFu;

// The message is too wide for the field on one line: the reassurance in brackets goes below.
std::string TwoLines(const std::string& message) {
    const std::size_t bracket = message.find("（");
    if (!language::SourceInUse() || bracket == std::string::npos) {
        return message;
    }
    return message.substr(0, bracket) + "\n" + message.substr(bracket);
}

}  // namespace

void SaveNotice::Init(gfx::Device* device) {
    device_ = device;
    band_.Create(device, nullptr, kCentreX, kCentreY, kBandWidth, kBandHeight);
    band_.red = 0;
    band_.green = 0;
    band_.blue = 0;
    band_.alpha = kBandAlpha;
    band_.BuildVertices();
    const float textLeft = kCentreX - kBandWidth / 2.0f + kTextIndent;
    text_.Init(device, textLeft + static_cast<float>(kTextWidth) / 2.0f, kCentreY + kTextDrop, kTextWidth, kTextHeight,
               kFontHeight, kTextColour);
    // The Japanese breaks before its bracket; a translation breaks where its words fit.
    text_.SetWrapWidth(kTextWidth);
    text_.Set(TwoLines(Tr(CSaveFile::kWriteFailedMessage)));
}

void SaveNotice::Draw() {
    if (!shown_) {
        return;
    }
    band_.Draw(1);
    // Captions are shown at their own size: point sampling keeps the glyphs sharp.
    StageFilterScope crisp(device_, gfx::TEXF_POINT);
    text_.Draw();
}
