// Stands in for a copy of the program run with administrator rights: holds
// the one-copy lock with a security descriptor that lets no one else open
// it, as an elevated copy's lock is to a normal one. Writes "ready" to the
// file named by its argument, then waits to be stopped (a minute at most).

#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
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
    if (FILE* f = _wfopen(argv[1], L"w")) {
        std::fputs("ready\n", f);
        std::fclose(f);
    }
    ::Sleep(60000);
    ::CloseHandle(lock);
    return 0;
}
