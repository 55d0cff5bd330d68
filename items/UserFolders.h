#pragma once
#include <string>
#include <string_view>

namespace vantrel {

// Where the program writes. The program folder may be read-only and shared
// by every user, so nothing is ever written there: each user's changes live
// in that user's own folders, and reading looks there before the program
// folder, so an edited or refreshed copy wins over the shipped one.

// $XDG_CONFIG_HOME/vantrel/ (else ~/.config/vantrel/): preferences and skin
// files. Empty when no home folder can be found.
std::string ConfigFolder();
// $XDG_DATA_HOME/vantrel/ (else ~/.local/share/vantrel/): downloaded pages
// and scripts, page edits, pictures. Empty when no home folder can be found.
std::string DataFolder();
// $XDG_STATE_HOME/vantrel/ (else ~/.local/state/vantrel/): what a run leaves
// for the next, such as the autosaves of unsaved changes.
std::string StateFolder();

// <$TMPDIR or /tmp>/vantrel-<uid>/, made with mode 0700 on first use. A path
// there that is a link, not a folder, or someone else's is not used: a fresh
// unique folder is made beside it instead. Empty only when nothing can be
// made at all.
std::string PrivateTemporaryFolder();
// A sub-folder of it ("downloads"), made and checked by the same rules,
// ending with '/'; empty when it cannot be had.
std::string PrivateTemporarySubfolder(const std::string& name);
// Tests change TMPDIR; the next call then decides afresh.
void ForgetPrivateTemporaryFolder();

// The file to read for a path relative to both folders: the user's copy
// when it exists, else the program folder's (which may not exist either).
std::string ReadPath(const std::string& userFolder, std::string_view relative);
// The user's copy of a relative path, with its folders made; empty when the
// user folder is unknown or the name would lead out of it.
std::string WritePath(const std::string& userFolder, std::string_view relative);

}  // namespace vantrel
