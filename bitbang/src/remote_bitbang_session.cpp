#include "bitbang/remote_bitbang_session.h"

namespace scanbench {

void RemoteBitbangSession::Feed(std::span<const char> bytes, std::string& replies) {
    for (const char c : bytes) {
        if (Quitting) {
            return;
        }
        if (c >= '0' && c <= '7') {
            const int bits = c - '0';
            Target.Drive((bits & 4) != 0, (bits & 2) != 0, (bits & 1) != 0);
        } else if (c >= 'r' && c <= 'u') {
            const int bits = c - 'r';
            Target.Reset((bits & 2) != 0, (bits & 1) != 0);
        } else {
            switch (c) {
            case 'R':
                replies += Target.Tdo() ? '1' : '0';
                break;
            case 'B':
                Target.Blink(true);
                break;
            case 'b':
                Target.Blink(false);
                break;
            case 'Q':
                Quitting = true;
                break;
            case '\n':
            case '\r':
            case ' ':
            case '\t':
                break;
            default:
                ++Ignored;
                break;
            }
        }
    }
}

} // namespace scanbench
