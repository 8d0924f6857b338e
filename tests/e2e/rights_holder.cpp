// Stands in for a copy of the program run with administrator rights: holds
// the one-copy lock with a security descriptor that lets no one else open
// it, as an elevated copy's lock is to a normal one. Writes "ready" to the
// file named by its first argument; once the file named by its second exists
// it closes the lock, writes "released" and leaves (after a minute at most).

#include <windows.h>

#include <cstdio>

namespace {

void say(const wchar_t* file, const char* state)
{
    if (FILE* f = _wfopen(file, L"w")) {
        std::fputs(state, f);
        std::fclose(f);
    }
}

}  // namespace

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
    // Killing this process from outside would leave the lock to the server's
    // own pace; closing it here means "released" is true when it is read.
    for (int i = 0; i < 1200 && ::GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(50);
    ::CloseHandle(lock);
    say(argv[1], "released\n");
    return 0;
}
