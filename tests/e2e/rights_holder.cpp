// Stands in for a copy run with administrator rights: holds the one-copy lock under a security
// descriptor that lets no one else open it. Writes "ready" to the file named first; once the file
// named second exists (a minute at most), closes the lock, writes "released" and leaves.

#include <windows.h>

#include <cstdio>

static void say(const wchar_t* file, const char* state)
{
    if (FILE* f = _wfopen(file, L"w")) {
        std::fputs(state, f);
        std::fclose(f);
    }
}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 2;
    SECURITY_DESCRIPTOR sd;
    ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    ::InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    ::SetSecurityDescriptorDacl(&sd, TRUE, &empty, FALSE);
    SECURITY_ATTRIBUTES sa{sizeof sa, &sd, FALSE};
    HANDLE lock = ::CreateMutexW(&sa, FALSE, L"Local\\qorvane.single-instance");
    if (!lock)
        return 1;
    say(argv[1], "ready\n");
    // Closed here, not killed from outside: "released" is then true when read.
    for (int i = 0; i < 1200 && ::GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(50);
    ::CloseHandle(lock);
    say(argv[1], "released\n");
    return 0;
}
