#include "platform/Fatal.h"

#include "base/LogPutout.h"
#include "platform/MessageBox.h"
#include "platform/QuitMessage.h"

namespace platform {

void FatalError(const char* caption, const char* text) {
    int exitCode = 0;
    if (QuitPosted(exitCode)) {
        return;
    }
    WriteLog(text);
    ShowMessage(caption, text);
    PostFatalQuit(0);
}

}  // namespace platform
