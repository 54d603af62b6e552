// The file requester: the system's common open and save dialogs.
#include <string>
#include <vector>

// After the runtime's own declarations: the system headers below make macros of some of
// their names (DeleteFile, CopyFile).
#include "zorvane/files.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commdlg.h>

namespace {

constexpr DWORD kFileBuffer = 1024;
constexpr DWORD kStatedCapacity = 260;

// "description|pattern|..." as the dialogs take it: every '|' a NUL, a second NUL at the end.
std::vector<char> DialogFilter(const RtString& filter) {
    std::vector<char> list(filter.Buffer(), filter.Buffer() + filter.Length());
    for (char& c : list) {
        if (c == '|') c = 0;
    }
    list.push_back(0);
    list.push_back(0);
    return list;
}

}  // namespace

RtString RequestFileName(std::int32_t open, const RtString& filter) {
    try {
        const std::vector<char> filters = DialogFilter(filter);
        char folder[kFileBuffer] = {};
        GetCurrentDirectoryA(kFileBuffer, folder);
        char chosen[kFileBuffer] = {};
        OPENFILENAMEA dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.lpstrFilter = filters.data();
        dialog.lpstrFile = chosen;
        dialog.nMaxFile = kStatedCapacity;
        dialog.lpstrInitialDir = folder;
        dialog.Flags = OFN_HIDEREADONLY;
        if (open != 0) {
            GetOpenFileNameA(&dialog);
        } else {
            GetSaveFileNameA(&dialog);
        }
        // The dialog may have moved the process to the folder the user browsed to.
        SetCurrentDirectoryA(folder);
        if (chosen[0] == 0) return RtString("NO_FILE");
        for (char* c = chosen; *c != 0; ++c) {
            if (*c == '\\') *c = '/';
        }
        return RtString(chosen);
    } catch (...) {
        // Out of memory (see core/fatal.h): nothing was chosen.
        return RtString("NO_FILE");
    }
}
