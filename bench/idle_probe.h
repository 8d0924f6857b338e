#pragma once
// What an idle window costs: the thread's message loop run for a while of
// real time, counting what wakes it, what it allocates and what it repaints.
// The counting itself allocates nothing, so that it does not show up.

#include <windows.h>

namespace bench {

// Counts operator new and the C runtime's malloc, calloc and realloc as
// called from this executable (its own code and the static C++ runtime).
// Call first thing in main.
void countAllocations();

template <class Key, int N>
struct Tally {
    struct Entry {
        Key key;
        long long n;
    };
    Entry entries[N]{};
    int used = 0;
    long long dropped = 0;  // keys beyond the N-th
    void add(const Key& key, long long n = 1)
    {
        for (int i = 0; i < used; ++i)
            if (entries[i].key == key) {
                entries[i].n += n;
                return;
            }
        if (used < N)
            entries[used++] = {key, n};
        else
            dropped += n;
    }
};

struct TimerKey {
    HWND hwnd;
    UINT_PTR id;
    bool operator==(const TimerKey&) const = default;
};

struct PaintKey {
    HWND root;  // the top-level window the painted one belongs to
    bool operator==(const PaintKey&) const = default;
};

struct Idle {
    double seconds = 0;
    long long wakes = 0;       // returns from the wait
    long long emptyWakes = 0;  // ... with nothing to retrieve (a sent message, say)
    long long timers = 0;      // WM_TIMER retrieved
    long long others = 0;      // any other message retrieved
    long long sent = 0;        // messages sent to our windows (not retrieved)
    long long news = 0, mallocs = 0;
    double cpuMs = 0;         // the Windows figure, in 10 ms ticks under Wine
    double linuxCpuMs = -1;   // the same to the microsecond, where Linux tells
    double serverCpuMs = -1;  // the Wine server's, where the bench names it
    Tally<TimerKey, 16> timerKinds;
    Tally<UINT, 24> otherKinds;
    Tally<UINT, 24> sentKinds;
    Tally<PaintKey, 16> paintArea;   // pixels
    Tally<PaintKey, 16> paintCount;  // WM_PAINT handled
    // Controls that draw at once outside WM_PAINT (Wine's static control on
    // WM_SETTEXT): seen by the colour message they send their parent, and
    // counted as their whole client area.
    Tally<PaintKey, 16> directArea;
    Tally<PaintKey, 16> directCount;
};

// Pumps this thread's messages for `seconds` of real time through the
// program's own dispatch, and counts.
void measure(Idle& out, double seconds);

// Pumps for `ms` without counting (windows settle, alarms ring).
void pump(int ms);

// Prints one block of figures; `title` names the state measured.
void report(const char* title, const Idle& idle);

}  // namespace bench
