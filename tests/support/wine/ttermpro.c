/* Stand-in for TeraTerm as a Windows program, run under Wine by the tests. Each start is
 * recorded beside the executable in ttermpro-calls\call-N\: "cmdline" (the command line as
 * Windows gave it), "args" (one argument a line), copies of the files named by /F= and /M=
 * ("ini", "macro"), and "checks": whether those two files, and the folder of the file the
 * macro's "logopen" line names, exist as the Windows file API sees them. A start's folder is
 * renamed into place last, so a reader never sees half of it. Text is written as UTF-8. */
#include <windows.h>
#include <shellapi.h>
#include <string.h>
#include <wchar.h>

static void write_utf8(const wchar_t *path, const wchar_t *text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char *bytes = HeapAlloc(GetProcessHeap(), 0, size > 0 ? size : 1);
    DWORD written;
    HANDLE file;
    if (!bytes)
        return;
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, size, NULL, NULL);
    file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        WriteFile(file, bytes, (DWORD)strlen(bytes), &written, NULL);
        CloseHandle(file);
    }
    HeapFree(GetProcessHeap(), 0, bytes);
}

static BOOL is_file(const wchar_t *path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

static BOOL is_folder(const wchar_t *path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/* The value of an option such as /F= in Arg, without enclosing quotes; NULL for another. */
static const wchar_t *option_value(wchar_t *arg, const wchar_t *option)
{
    size_t length = wcslen(option);
    wchar_t *value;
    if (_wcsnicmp(arg, option, length) != 0)
        return NULL;
    value = arg + length;
    if (value[0] == L'"') {
        size_t n = wcslen(value);
        if (n >= 2 && value[n - 1] == L'"')
            value[n - 1] = 0;
        ++value;
    }
    return value;
}

/* "exists", "missing" or "none": the folder of the file the macro's logopen line names. */
static const wchar_t *logopen_folder(const wchar_t *macro)
{
    static wchar_t folder[MAX_PATH * 2];
    char text[65536];
    DWORD got = 0;
    char *line, *start, *end, *slash;
    HANDLE file = CreateFileW(macro, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return L"none";
    ReadFile(file, text, sizeof(text) - 1, &got, NULL);
    CloseHandle(file);
    text[got] = 0;
    line = strstr(text, "logopen '");
    if (!line)
        return L"none";
    start = line + strlen("logopen '");
    end = strchr(start, '\'');
    if (!end)
        return L"missing";
    *end = 0;
    slash = strrchr(start, '\\');
    if (!slash)
        return L"missing";
    *slash = 0;
    if (!MultiByteToWideChar(CP_UTF8, 0, start, -1, folder, MAX_PATH * 2))
        return L"missing";
    return is_folder(folder) ? L"exists" : L"missing";
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    wchar_t here[MAX_PATH], calls[MAX_PATH], part[MAX_PATH], done[MAX_PATH], path[MAX_PATH];
    wchar_t checks[MAX_PATH * 4] = L"";
    wchar_t *args = NULL;
    size_t argsSize = 1;
    const wchar_t *iniState = L"none", *macroState = L"none", *logState = L"none";
    wchar_t **argv;
    int argc, i, n = 1;
    WIN32_FIND_DATAW found;
    HANDLE search;
    (void)instance; (void)previous; (void)commandLine; (void)show;

    GetModuleFileNameW(NULL, here, MAX_PATH);
    *wcsrchr(here, L'\\') = 0;
    swprintf(calls, MAX_PATH, L"%ls\\ttermpro-calls", here);
    CreateDirectoryW(calls, NULL);
    swprintf(path, MAX_PATH, L"%ls\\call-*", calls);
    search = FindFirstFileW(path, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!wcschr(found.cFileName, L'.'))
                ++n;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    swprintf(part, MAX_PATH, L"%ls\\call-%d.part", calls, n);
    swprintf(done, MAX_PATH, L"%ls\\call-%d", calls, n);
    CreateDirectoryW(part, NULL);

    swprintf(path, MAX_PATH, L"%ls\\cmdline", part);
    write_utf8(path, GetCommandLineW());

    argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (i = 1; i < argc; ++i)
        argsSize += wcslen(argv[i]) + 1;
    args = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, argsSize * sizeof(wchar_t));
    for (i = 1; i < argc && args; ++i) {
        const wchar_t *value;
        wcscat(args, argv[i]);
        wcscat(args, L"\n");
        if ((value = option_value(argv[i], L"/F="))) {
            iniState = is_file(value) ? L"exists" : L"missing";
            swprintf(path, MAX_PATH, L"%ls\\ini", part);
            CopyFileW(value, path, FALSE);
        } else if ((value = option_value(argv[i], L"/M="))) {
            macroState = is_file(value) ? L"exists" : L"missing";
            logState = logopen_folder(value);
            swprintf(path, MAX_PATH, L"%ls\\macro", part);
            CopyFileW(value, path, FALSE);
        }
    }
    swprintf(path, MAX_PATH, L"%ls\\args", part);
    write_utf8(path, args ? args : L"");

    swprintf(checks, MAX_PATH * 4, L"F=%ls\nM=%ls\nlogopen folder=%ls\n", iniState, macroState, logState);
    swprintf(path, MAX_PATH, L"%ls\\checks", part);
    write_utf8(path, checks);

    MoveFileW(part, done);
    return 0;
}
