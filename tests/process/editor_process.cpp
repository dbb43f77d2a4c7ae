// The editor as a process of its own for the tests that kill it: start-up and
// the recovery copy as the real program has them, then the changes given on
// the command line, posted as events, and the main loop until it is killed.
//
//   quillmere_test_editor [--answer yes|no|enter] [--report FILE] [--stay]
//                         [load-font=PATH | menu=N]...
//
// Requesters are scripted until the main loop starts: --answer is what the
// question at start-up gets ("enter": the real question, answered with the
// Enter key), and a load-font action answers the file dialog.
// The report holds the document as the recovery copy keeps it (FILE) and the
// requesters shown (FILE.shown, one a line), written before the main loop.

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/recovery.h"
#include "app/startup.h"
#include "core/file_io.h"
#include "core/recovery_format.h"
#include "toolkit/simulate/simulate.h"

namespace {

void Dispatch(qm::EditorState& s, const tk::Event& event) {
    tk::PostEvent(event);
    for (tk::Event e = tk::PollEvent(); e.kind != tk::EventKind::None; e = tk::PollEvent()) qm::DispatchEvent(s, e);
}

tk::Event Menu(const qm::EditorState& s, int item) {
    tk::Event e;
    e.kind = tk::EventKind::MenuItem;
    e.window = s.ui.window;
    e.menuItem = item;
    return e;
}

// The real question answered with Enter, as "title|text".
std::string enterShown;

void Report(const qm::EditorState& s, const std::string& path) {
    std::ofstream shown(path + ".shown");
    if (!enterShown.empty()) shown << "question|" << enterShown << '\n';
    for (const tk::Shown& r : tk::ShownRequesters()) {
        std::string text = r.kind + "|" + r.title + "|" + r.text;
        for (char& c : text) {
            if (c == '\n') c = ' ';
        }
        shown << text << '\n';
    }
    shown.close();
    // Last, and whole: the test waits for this file.
    qm::SaveFileSafely(path, qm::WriteRecovery(s.doc, s.CurrentSlot));
}

}  // namespace

int main(int argc, char** argv) {
    tk::Init(argc, argv);
    tk::SetScripted(true);
    std::string report;
    bool stay = false;
    bool enter = false;
    std::vector<std::string> actions;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--answer" && i + 1 < argc) {
            const char* answer = argv[++i];
            if (std::strcmp(answer, "enter") == 0) enter = true;
            else tk::QueueAnswer(std::strcmp(answer, "yes") == 0 ? tk::Answer::Yes : tk::Answer::No);
        } else if (arg == "--report" && i + 1 < argc) {
            report = argv[++i];
        } else if (arg == "--stay") {
            stay = true;
        } else {
            actions.push_back(arg);
        }
    }

    static qm::EditorState s;
    qm::StartUp(s);
    if (enter) {
        tk::SetScripted(false);
        tk::simulate::PressKeyInNextMessage(tk::KeyEnter, &enterShown);
    }
    qm::StartRecovery(s);
    tk::SetScripted(true);
    for (const std::string& action : actions) {
        if (action.rfind("load-font=", 0) == 0) {
            tk::QueueFileAnswer(action.substr(10));
            Dispatch(s, Menu(s, qm::kMenuLoadFont));
        } else if (action.rfind("menu=", 0) == 0) {
            Dispatch(s, Menu(s, std::stoi(action.substr(5))));
        }
    }
    if (!report.empty()) Report(s, report);
    if (stay) {
        tk::SetScripted(false);
        qm::RunMainLoop(s);
    }
    qm::EndRecovery(s);
    qm::CloseAllWindows(s);
    tk::Shutdown();
    return 0;
}
