#include "app/recovery.h"

#include <chrono>
#include <memory>
#include <optional>
#include <utility>

#include "charedit/color_registers.h"
#include "core/paths.h"
#include "core/recovery_files.h"
#include "core/recovery_format.h"
#include "session/undo.h"

namespace qm {

namespace {

constexpr long long kQuietMs = 1000;
constexpr long long kLongestWaitMs = 1500;

void SetAside(LeftoverCopy& copy, const std::string& reason) {
    const std::string to = copy.KeepAside(".damaged");
    tk::MessageBox("Recovery...", "The unsaved work of an earlier session cannot be restored: " + reason +
                                      ".\nIt was set aside as " + to + ".");
}

void ShowRestored(EditorState& s, const RecoveredWork& work) {
    RecordStep(s, "Restore", [&] {
        s.doc = work.doc;
        s.CurrentSlot = work.currentSlot;
    });
    for (int reg = LUM; reg <= PF3; ++reg) PaintSwatch(s, s.ui.swatch[reg], s.doc.RegisterRgb[reg]);
    tk::SetText(s.ui.slotLabel, std::to_string(s.CurrentSlot));
    tk::SetStatusText(s.ui.window, kStatusFontField, FontFieldText(s));
    tk::SetStatusText(s.ui.window, kStatusProjectField, "Project: " + FileNameOf(s.doc.ProjectPath));
    RedrawAll(s);
}

// Offers the leftovers in turn; true when one was restored.
bool OfferLeftovers(EditorState& s, RecoveryFiles& files) {
    bool restored = false;
    for (LeftoverCopy& copy : files.TakeLeftovers()) {
        Bytes bytes;
        std::string reason = "it cannot be read";
        std::optional<RecoveredWork> work;
        if (copy.Read(bytes)) work = ReadRecovery(bytes, &reason);
        if (!work) {
            SetAside(copy, reason);
            continue;
        }
        if (restored) {
            copy.LetGo();  // kept for a later start
            continue;
        }
        // Enter restores: a key pressed by habit must not throw the work away.
        if (tk::AskYesNo("Recovery...", "Restore the unsaved work of the last session?", tk::Answer::Yes) ==
            tk::Answer::Yes) {
            ShowRestored(s, *work);
            restored = true;
            // The old copy goes once this editor's own copy holds the work.
            s.recovery.lastSeen = WriteRecovery(s.doc, s.CurrentSlot);
            if (files.Locked() && files.WriteAndWait(s.recovery.lastSeen)) copy.Forget();
            else copy.LetGo();
        } else {
            // Declined work is kept where the user can still take it back.
            copy.KeepAside(".declined");
        }
    }
    return restored;
}

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

void StartRecovery(EditorState& s) {
    EndRecovery(s);
    const std::string folder = RecoveryFiles::StateFolder();
    const std::string unusable = RecoveryFiles::PrepareFolder(folder);
    if (!unusable.empty()) {
        tk::MessageBox("Recovery...",
                       "Crash recovery is off: unsaved work cannot be kept in " + folder + ": " + unusable + ".");
        return;
    }
    auto files = std::make_shared<RecoveryFiles>(folder);
    if (!files->Locked()) {
        tk::MessageBox("Recovery...", "Crash recovery is off: the lock " + files->LockPath() +
                                          " cannot be taken: " + files->LockFailure() + ".");
    }
    s.recovery.files = files;
    OfferLeftovers(s, *files);
    tk::StartTimer(s.ui.window, kRecoveryTimer, kRecoveryTickMs);
}

void RecoveryTick(EditorState& s, long long nowMs) {
    RecoveryWatch& watch = s.recovery;
    if (!watch.files) return;
    RecoveryFiles& files = *watch.files;
    files.CheckLastWrite();
    if (!ChangedSinceSave(s)) {
        DropRecoveryCopy(s);
        return;
    }
    Bytes now = WriteRecovery(s.doc, s.CurrentSlot);
    if (now == files.Written()) {
        watch.pendingSince = -1;
        return;
    }
    if (now != watch.lastSeen) {
        watch.lastSeen = std::move(now);
        watch.changedAt = nowMs;
        if (watch.pendingSince < 0) watch.pendingSince = nowMs;
    }
    const bool due = nowMs - watch.changedAt >= kQuietMs || nowMs - watch.pendingSince >= kLongestWaitMs;
    if (files.Locked() && due) {
        files.Write(watch.lastSeen);
        watch.pendingSince = -1;
    }
}

void RecoveryTick(EditorState& s) { RecoveryTick(s, NowMs()); }

void DropRecoveryCopy(EditorState& s) {
    RecoveryWatch& watch = s.recovery;
    if (!watch.files) return;
    watch.files->Remove();
    watch.lastSeen.clear();
    watch.pendingSince = -1;
}

void EndRecovery(EditorState& s) {
    if (s.recovery.files) s.recovery.files->End();
    s.recovery = RecoveryWatch{};
}

void SettleRecovery(EditorState& s) {
    if (s.recovery.files) s.recovery.files->Settle();
}

std::string RecoveryCopyPath(const EditorState& s) {
    return s.recovery.files ? s.recovery.files->CopyPath() : std::string();
}

}  // namespace qm
