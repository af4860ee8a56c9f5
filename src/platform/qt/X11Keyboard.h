#pragma once
// The state of a key at this moment as the X server knows it: a key that was already held when the
// program started, or pressed while another window had the focus, reads as held too (the key
// events the program saw cannot tell that).

#include <QElapsedTimer>

#include <optional>
#include <vector>

namespace kl {

class X11KeyState {
  public:
    // lower and upper are the key's X key symbols (for Z: 'z' and 'Z').
    X11KeyState(unsigned lower, unsigned upper);

    // Whether the key is down; nullopt when the program does not run on an X server. Asked many
    // times a second by the long loops, the server is asked at most every few milliseconds.
    std::optional<bool> held();

  private:
    bool ask();

    unsigned lower_, upper_;
    bool looked_ = false;
    std::vector<unsigned char> keycodes_;
    QElapsedTimer sinceAsked_;
    bool last_ = false;
};

} // namespace kl
