#include "platform/windows/file_holders.h"

#include <windows.h>

#include <restartmanager.h>

#include "win_text/utf16.h"

namespace marrowpin {

namespace {

// The most holders a failure names.
constexpr std::size_t kMostHolders = 4;

// Restart Manager's calls, looked up in the system's own folder when a
// failure needs them: no DLL of that name beside the program is loaded,
// and a start of the program loads nothing more.
struct RestartManager {
  decltype(&RmStartSession) start_session;
  decltype(&RmRegisterResources) register_resources;
  decltype(&RmGetList) get_list;
  decltype(&RmEndSession) end_session;
};

template <typename Function>
Function Lookup(HMODULE library, const char* name) {
  // Through the type every function pointer converts to without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

bool Load(RestartManager& calls) {
  static const HMODULE library =
      LoadLibraryExW(L"rstrtmgr.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!library) return false;
  calls.start_session = Lookup<decltype(calls.start_session)>(library, "RmStartSession");
  calls.register_resources =
      Lookup<decltype(calls.register_resources)>(library, "RmRegisterResources");
  calls.get_list = Lookup<decltype(calls.get_list)>(library, "RmGetList");
  calls.end_session = Lookup<decltype(calls.end_session)>(library, "RmEndSession");
  return calls.start_session && calls.register_resources && calls.get_list && calls.end_session;
}

}  // namespace

std::vector<std::string> ProgramsHolding(const std::vector<std::wstring>& paths) {
  RestartManager calls;
  if (!Load(calls)) return {};
  DWORD session;
  WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
  if (calls.start_session(&session, 0, key) != ERROR_SUCCESS) return {};
  std::vector<std::string> names;
  std::vector<LPCWSTR> files;
  for (const std::wstring& path : paths)
    files.push_back(path.c_str());
  if (calls.register_resources(session, static_cast<UINT>(files.size()), files.data(), 0, nullptr,
                               0, nullptr) == ERROR_SUCCESS) {
    std::vector<RM_PROCESS_INFO> holders(kMostHolders);
    DWORD error = ERROR_MORE_DATA;
    // More holders than room for them: asked again with room for all, as
    // many as there are by then.
    for (int attempt = 0; attempt < 2 && error == ERROR_MORE_DATA; ++attempt) {
      UINT needed = 0;
      UINT count = static_cast<UINT>(holders.size());
      DWORD reasons = 0;
      error = calls.get_list(session, &needed, &count, holders.data(), &reasons);
      if (error == ERROR_MORE_DATA) {
        holders.resize(needed);
      } else if (error == ERROR_SUCCESS) {
        holders.resize(count);
      }
    }
    if (error == ERROR_SUCCESS) {
      for (const RM_PROCESS_INFO& holder : holders) {
        if (names.size() == kMostHolders) break;
        names.push_back(win_text::Utf8FromUtf16(std::wstring_view(holder.strAppName)));
      }
    }
  }
  calls.end_session(session);
  return names;
}

}  // namespace marrowpin
