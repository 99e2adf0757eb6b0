// A Linux tool (LINECALC_LINUX_TOOL: poppler's pdftotext, pdfinfo and pdfimages, unzip) for the
// tests of the Windows build under Wine: Wine starts a Linux program without waiting for it or
// learning its exit status, so this Windows program has the tool run by a shell that leaves its
// output and status in files, waits for the status and passes all of it on. Windows paths among the
// arguments become the Linux paths Wine maps them to.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using UnixName = char*(__cdecl*)(const wchar_t*);

// The Linux path of a Windows path (wine_get_unix_file_name is Wine's own), or "" elsewhere.
std::string UnixPath(const std::wstring& windowsPath) {
  static const auto convert = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* path = convert != nullptr ? convert(windowsPath.c_str()) : nullptr;
  std::string result = path != nullptr ? path : "";
  HeapFree(GetProcessHeap(), 0, path);
  return result;
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
  return result;
}

// The command line in UTF-16: through the ANSI code page a Cyrillic file name would reach the
// Linux tool garbled.
std::wstring Wide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(size > 0 ? size - 1 : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), size);
  return result;
}

std::string Quoted(const std::string& argument) {  // for the Windows command line Wine splits
  std::string result = "\"";
  for (char c : argument) {
    result += c == '"' ? std::string("\\\"") : std::string(1, c);
  }
  return result + "\"";
}

std::string Read(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"linux-tool-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::string unixFolder = UnixPath(folder);
  if (unixFolder.empty()) {
    std::fputs(LINECALC_LINUX_TOOL ": not running under Wine\n", stderr);
    return 99;
  }
  std::string command = "Z:\\bin\\sh -c " +
                        Quoted("cd \"$0\" && " LINECALC_LINUX_TOOL
                               " \"$@\" >out 2>err; "
                               "echo $? >status.new && mv status.new status") +
                        " " + Quoted(unixFolder);
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    const bool windowsPath = argument.size() > 2 && argument[1] == L':';
    command += " " + Quoted(windowsPath ? UnixPath(argument) : Utf8(argument));
  }
  std::wstring commandLine = Wide(command);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fputs(LINECALC_LINUX_TOOL ": cannot start /bin/sh\n", stderr);
    return 99;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::string status;
  for (int waited = 0; status.empty() && waited < 60000; waited += 20) {
    Sleep(20);
    status = Read(folder + L"\\status");
  }
  const std::string out = Read(folder + L"\\out");
  _setmode(_fileno(stdout), _O_BINARY);  // the bytes as the tool wrote them, "\n" and all
  const std::string err = Read(folder + L"\\err");
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fwrite(err.data(), 1, err.size(), stderr);
  for (const wchar_t* name : {L"\\out", L"\\err", L"\\status"}) {
    DeleteFileW((folder + name).c_str());
  }
  RemoveDirectoryW(folder.c_str());
  return status.empty() ? 99 : std::stoi(status);
}
