#pragma once

// The recovery copy of unsaved work. While the document has changes that are
// not saved, the editor keeps a copy of it in its state folder, written on a
// timer shortly after the last change; a save and a regular exit remove it.
// Here are the timer that decides when and the question that offers a copy
// back; the files themselves, and the locks that tell the copy of an editor
// that died from that of one still running, are the RecoveryFiles' (kept in
// the state).

#include <string>

#include "session/editor_state.h"

namespace qm {

// The main window's timer that looks for changes to keep.
constexpr int kRecoveryTimer = 126;
constexpr int kRecoveryTickMs = 500;

// After start-up: offers back the copies of editors that are no longer
// running, newest first, until one is taken; sets damaged ones aside with a
// message. Then takes this editor's own lock and starts the timer.
void StartRecovery(EditorState& s);
// One look at the document: a copy is written once it has stayed unchanged
// for a second (or changed for a second and a half on end), and removed when
// there is nothing unsaved. nowMs: any steady clock in milliseconds.
void RecoveryTick(EditorState& s, long long nowMs);
void RecoveryTick(EditorState& s);
// The copy is written and removed by a thread of its own, in the order asked;
// this waits until it has done all that was asked so far. For the tests and
// benchmarks, which look at the disk.
void SettleRecovery(EditorState& s);
// The work was saved: the copy goes.
void DropRecoveryCopy(EditorState& s);
// A regular end: the copy and the lock go, and the writing thread ends once
// it has removed the copy. Also for tests.
void EndRecovery(EditorState& s);
// This editor's copy; empty before StartRecovery.
std::string RecoveryCopyPath(const EditorState& s);

}  // namespace qm
