#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace input {

// A recorded or hand-written sequence of input, one event per line, delivered through the same
// devices as real input. Each line starts with the frame (1-based) before whose input it arrives:
//
//   # a comment
//   12 move 320 240        cursor to frame pixel (320, 240)
//   13 click left          button down now, up in the next frame ("press"/"release" for halves)
//   40 key Space           key down now, up in the next frame ("keydown"/"keyup" for halves)
//   50 pad down A          a pad button down ("pad up A" lets go, "pad tap A" for both)
//   60 pad axis leftx 0.75 a pad axis to a value it keeps (sticks -1..1, triggers 0..1)
//   90 close               the window's close request
class InputScript {
public:
    enum class Kind { Move, Button, Key, Close, PadButton, PadAxis };
    struct Event {
        std::uint32_t frame;  // 1 or more
        Kind kind;
        std::uint32_t code;  // button number, scan code, or pad button or axis
        bool down;
        int x, y;
        float value = 0.0f;  // a pad axis's
    };

    // The largest script read: room for a day of play (5,184,000 frames) with the cursor moving
    // in every frame, about 110 MB of lines such as "5184000 move 639 479", with keys besides.
    static constexpr std::size_t kMaxBytes = std::size_t{128} << 20;

    // False with a one-line reason in error when the file cannot be read (missing, a folder,
    // larger than kMaxBytes) or a line is malformed; the script then keeps the events it had.
    bool Load(const std::string& path, std::string& error);
    bool Parse(const std::string& text, std::string& error);

    // Delivers the events of the frame; sets closeRequested when the script closes the window.
    void Deliver(std::uint32_t frame, bool& closeRequested) const;

    std::size_t EventCount() const { return events_.size(); }
    const std::vector<Event>& Events() const { return events_; }

private:
    static bool ParseLine(const std::string& line, int lineNumber, std::vector<Event>& events, std::string& error);
    static bool ParsePad(const std::string& action, std::istream& words, std::uint32_t at, std::vector<Event>& events);

    std::vector<Event> events_;
};

}  // namespace input
