#include "app/KeyHelp.h"

#include <algorithm>

#include "base/Language.h"
#include "gfx/RenderPresets.h"
#include "input/KeyboardInput.h"
#include "object/DrawCrisp.h"

namespace {

constexpr const char* kFont = "MSゴシック";
constexpr int kTitleHeight = 18;
constexpr int kLineHeight = 14;
constexpr int kLinePitch = 21;
constexpr std::uint32_t kHeadingColour = 0xFFFFE070u;
constexpr std::uint32_t kLineColour = 0xFFFFFFFFu;
constexpr std::uint32_t kNoteColour = 0xFFB0B8D0u;

// The panel in the middle of the frame, with a gold edge; the text keeps a margin inside it.
constexpr float kCentreX = 320.0f;
constexpr float kCentreY = 240.0f;
constexpr float kPanelWidth = 560.0f;
constexpr float kPanelHeight = 440.0f;
constexpr float kBorder = 2.0f;
constexpr int kTextWidth = 512;
constexpr int kTextHeight = 416;
constexpr int kTextTexture = 512;  // the texture's sides; the sprite shows its top kTextHeight rows
constexpr int kRightColumn = 268;
constexpr int kDimAlpha = 150;
constexpr int kPanelAlpha = 235;

struct Line {
    int column;  // text x
    const char* text;
    bool heading;
};

// Two columns: the battle's keys on the left, the shell's and the mouse on the right.
constexpr int kColumnTop = 40;
constexpr Line kLeftLines[] = {
    {0, N_KEY("バトル"), true},
    {0, N_KEY("1〜9, 0: 砲台を選ぶ（0 は10番目）"), false},
    {0, N_KEY("クリック: 設置・選択・ロックオン"), false},
    {0, N_KEY("U: 強化"), false},
    {0, N_KEY("S: 売却（解放）"), false},
    {0, N_KEY("左Shift: 置き換え"), false},
    {0, N_KEY("D: 選択解除"), false},
    {0, N_KEY("N: スタート／次のウェーブ"), false},
    {0, N_KEY("Space: メニュー"), false},
};
constexpr Line kRightLines[] = {
    {kRightColumn, N_KEY("いつでも"), true},
    {kRightColumn, N_KEY("Tab: 速度 x1/x2/x4（バトル）"), false},
    {kRightColumn, N_KEY("F12: スクリーンショット"), false},
    {kRightColumn, N_KEY("Alt+Enter: 全画面／ウィンドウ"), false},
    {kRightColumn, N_KEY("F1: このヘルプ"), false},
    {kRightColumn, N_KEY("F3: フレームレート表示"), false},
    {kRightColumn, N_KEY("マウス"), true},
    {kRightColumn, N_KEY("ポインタ: 砲台・敵・ボタンを指す"), false},
    {kRightColumn, N_KEY("左クリック: 選ぶ・押す"), false},
    {kRightColumn, N_KEY("右クリック: 前の画面へ（タイトル）"), false},
};

// The pad's buttons, below both columns: the left half says how the pointer moves, the right
// what the buttons press.
constexpr int kPadRow = 10;
constexpr Line kPadLeftLines[] = {
    {0, N_KEY("ゲームパッド"), true},
    {0, N_KEY("左スティック: ポインタ（加速つき）"), false},
    {0, N_KEY("右スティック: ポインタ（ゆっくり）"), false},
    {0, N_KEY("十字キー: 区画・ボタンを順に移る"), false},
    {0, N_KEY("A: 左クリック  B: 右クリック・解除"), false},
};
constexpr Line kPadRightLines[] = {
    {kRightColumn, N_KEY("X: 強化  Y: 売却"), false},
    {kRightColumn, N_KEY("LB / RB: 前・次の砲台"), false},
    {kRightColumn, N_KEY("LT / RT: 置き換え"), false},
    {kRightColumn, N_KEY("Start: メニュー  Back: 速度"), false},
    {kRightColumn, N_KEY("右スティック押し込み: ロックオン"), false},
};

void PrintColumn(TextTexture& text, const Line* lines, std::size_t count, int firstRow = 0) {
    for (std::size_t i = 0; i < count; ++i) {
        text.SetColour(lines[i].heading ? kHeadingColour : kLineColour);
        text.Print(lines[i].column, kColumnTop + kLinePitch * (firstRow + static_cast<int>(i)), "%s",
                   Tr(lines[i].text));
    }
}

void MakeQuad(Object2D& quad, gfx::Device* device, float width, float height, int red, int green, int blue,
              int alpha) {
    quad.Create(device, nullptr, kCentreX, kCentreY, width, height);
    quad.red = red;
    quad.green = green;
    quad.blue = blue;
    quad.alpha = alpha;
    quad.BuildVertices();
}

}  // namespace

KeyHelp::Devices KeyHelp::Devices::Of(const KeyboardInput& keyboard, const MouseInput& mouse) {
    Devices devices;
    for (std::size_t key = 0; key < devices.keys.size(); ++key) {
        devices.keys[key] = keyboard.Key(static_cast<std::uint32_t>(key)) != 0;
    }
    for (int button = 0; button < MouseInput::kButtonCount; ++button) {
        devices.buttons[static_cast<std::size_t>(button)] = mouse.Button(button) != 0;
    }
    return devices;
}

std::array<bool, KeyHelp::kInputs> KeyHelp::Flatten(const Devices& devices) {
    std::array<bool, kInputs> all{};
    std::copy(devices.keys.begin(), devices.keys.end(), all.begin());
    std::copy(devices.buttons.begin(), devices.buttons.end(), all.begin() + devices.keys.size());
    return all;
}

void KeyHelp::Open(const Devices& held) {
    state_ = State::Open;
    down_ = Flatten(held);
    pressed_.fill(false);
}

bool KeyHelp::Watch(const Devices& now) {
    if (state_ != State::Open) {
        return false;
    }
    const std::array<bool, kInputs> current = Flatten(now);
    bool letGo = false;
    for (std::size_t i = 0; i < kInputs; ++i) {
        if (current[i] && !down_[i]) {
            pressed_[i] = true;
        } else if (!current[i] && down_[i] && pressed_[i]) {
            letGo = true;
        }
    }
    down_ = current;
    if (letGo) {
        state_ = State::Closed;
    }
    return letGo;
}

void KeyHelp::Init(gfx::Device* device) {
    MakeQuad(dim_, device, 640.0f, 480.0f, 0, 0, 0, kDimAlpha);
    MakeQuad(border_, device, kPanelWidth + 2 * kBorder, kPanelHeight + 2 * kBorder, 200, 160, 60, 255);
    MakeQuad(panel_, device, kPanelWidth, kPanelHeight, 20, 24, 52, kPanelAlpha);
    text_.Create(device, kTextTexture, kTextTexture);
    lines_.Create(device, text_.GetTexture(), kCentreX, kCentreY, static_cast<float>(kTextWidth),
                  static_cast<float>(kTextHeight));
    lines_.vBottom = static_cast<float>(kTextHeight) / static_cast<float>(kTextTexture);
    lines_.BuildVertices();
    Print();
    ready_ = true;
}

void KeyHelp::Print() {
    text_.Clear();
    text_.SetGreyGlyphs(true);
    text_.SetFont(kFont, kTitleHeight);
    text_.SetColour(kHeadingColour);
    // Fits: MSゴシック 18, 512x1
    text_.Print(0, 4, "%s", Tr("操作一覧"));
    text_.SetFont(kFont, kLineHeight);
    PrintColumn(text_, kLeftLines, std::size(kLeftLines));
    PrintColumn(text_, kRightLines, std::size(kRightLines));
    PrintColumn(text_, kPadLeftLines, std::size(kPadLeftLines), kPadRow);
    PrintColumn(text_, kPadRightLines, std::size(kPadRightLines), kPadRow + 1);
    text_.SetColour(kNoteColour);
    // Fits: MSゴシック 14, 512x1
    text_.Print(0, kTextHeight - kLinePitch, "%s", Tr("キーかボタンを押して離すと閉じます"));
    printedIn_ = language::Generation();
    text_.ReleaseFont();
}

void KeyHelp::Draw(gfx::Device* device) {
    if (!ready_) {
        return;
    }
    if (printedIn_ != language::Generation()) {
        Print();  // the player chose another language since
    }
    SetBaseStates(device);
    SetAlphaBlendStates(device);
    dim_.Draw(0);
    border_.Draw(0);
    panel_.Draw(0);
    DrawCrisp(lines_, 0);
}
