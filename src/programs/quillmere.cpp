#include <string>
#include <vector>

#include "app/file_opening.h"
#include "app/recovery.h"
#include "app/startup.h"

int main(int argc, char** argv) {
    tk::Init(argc, argv);
    static qm::EditorState state;
    qm::StartUp(state);
    qm::OpenCommandLineFiles(state, std::vector<std::string>(argv + 1, argv + argc));
    // After the files: a restored copy is then one step that undo can take back.
    qm::StartRecovery(state);
    qm::RunMainLoop(state);
    qm::EndRecovery(state);
    qm::CloseAllWindows(state);
    tk::Shutdown();
    return 0;
}
