// Prints what Windows reports of a running program's memory, in KiB:
//   memory_probe.exe NAME.exe  ->  private=... working_set=... pagefile=... gdi=... user=...
// (the last two: the GDI and USER objects the process holds)
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD pid = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, argv[1]) == 0) pid = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    HANDLE process = pid ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!process || !GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        std::fprintf(stderr, "memory_probe: no such process\n");
        return 1;
    }
    std::printf("private=%zu working_set=%zu pagefile=%zu gdi=%lu user=%lu\n", counters.PrivateUsage / 1024,
                counters.WorkingSetSize / 1024, counters.PagefileUsage / 1024, GetGuiResources(process, GR_GDIOBJECTS),
                GetGuiResources(process, GR_USEROBJECTS));
    CloseHandle(process);
    return 0;
}
