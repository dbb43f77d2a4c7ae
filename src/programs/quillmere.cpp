#include "app/recovery.h"
#include "app/startup.h"

int main(int argc, char** argv) {
    tk::Init(argc, argv);
    static qm::EditorState state;
    qm::StartUp(state);
    qm::StartRecovery(state);
    qm::RunMainLoop(state);
    qm::EndRecovery();
    qm::CloseAllWindows(state);
    tk::Shutdown();
    return 0;
}
