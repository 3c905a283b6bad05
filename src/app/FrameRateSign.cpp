#include "app/FrameRateSign.h"

#include "app/FrameTimes.h"
#include "gfx/RenderPresets.h"
#include "object/DrawCrisp.h"

namespace {
constexpr int kTextWidth = 192;
constexpr int kTextHeight = 16;
// Right of the speed sign, on the border above the field.
constexpr float kCentreX = 176.0f;
constexpr float kCentreY = 9.0f;
constexpr std::uint64_t kShownFramesPerPrint = FrameTimes::kRecentFrames / 2;
}  // namespace

void FrameRateSign::Init(gfx::Device* device) {
    text_.Create(device, kTextWidth, kTextHeight);
    sprite_.Create(device, text_.GetTexture(), kCentreX, kCentreY, static_cast<float>(kTextWidth),
                   static_cast<float>(kTextHeight));
    ready_ = true;
}

// A sign shown again reads afresh, not what it read when it was hidden.
void FrameRateSign::Toggle() {
    shown_ = !shown_;
    printed_ = false;
}

void FrameRateSign::Print(double rate, double slowestMs) {
    text_.Clear();
    text_.SetFont("Tahoma", 14);
    text_.SetGreyGlyphs(true);
    text_.SetSpacing(TextTexture::Spacing::ByAdvances);
    text_.SetColour(0xFF000000u);
    text_.Print(3, 2, "%.1f fps  max %.1f ms", rate, slowestMs);
    text_.SetColour(0xFF80FF80u);
    text_.Print(2, 1, "%.1f fps  max %.1f ms", rate, slowestMs);
    text_.ReleaseFont();
}

void FrameRateSign::Draw(gfx::Device* device, const FrameTimes& times) {
    if (!ready_ || !shown_) {
        return;
    }
    if (!printed_ || times.Shown() >= printedAt_ + kShownFramesPerPrint) {
        Print(times.RecentRate(), times.RecentSlowestMs());
        printedAt_ = times.Shown();
        printed_ = true;
    }
    SetAlphaBlendStates(device);
    DrawCrisp(sprite_);
}
