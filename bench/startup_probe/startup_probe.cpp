// The editor's start-up up to its first frame, as a whole process: what the
// editor's main does, then the pending window events (the first expose and
// paint of the main window) are handled, and the program ends instead of
// waiting for the user. Timed from outside by bench/process_bench.sh.

#include "app/startup.h"

int main(int argc, char** argv) {
    tk::Init(argc, argv);
    static qm::EditorState state;
    qm::StartUp(state);
    // Handles everything the window system has queued, the first paint among
    // it; stops at the first quiet moment.
    for (int i = 0; i < 100 && tk::PollEvent().kind != tk::EventKind::None; ++i) {
    }
    qm::CloseAllWindows(state);
    tk::Shutdown();
    return 0;
}
