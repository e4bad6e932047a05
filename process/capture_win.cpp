#include "process/capture.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "process/piped_child_win.h"

namespace {

std::unique_ptr<CaptureState> captureState;

// The output is taken in pieces of this size at the most, and a zero byte
// ends its piece: the rest of that piece is dropped, what follows counts.
constexpr DWORD kPieceSize = 1023;
// One read takes many pieces at once: reads of one piece each would cost a
// call per kilobyte. Cutting a read into pieces gives what that many reads
// of one piece, one right after the other, would have given.
constexpr DWORD kReadSize = 64 * kPieceSize;

// An anonymous pipe cannot be waited on, so while the child is quiet the
// capture sleeps until the child ends or a message comes, but looks at the
// pipe again after this long at the most. The wait starts short after output
// and doubles up to this, so a stream of output keeps flowing and a silent
// child costs a few wake-ups a second.
constexpr DWORD kLongestPipePoll = 50;

DWORD NextPipePoll(DWORD previous, bool outputCame)
{
    if (outputCame)
        return 0;
    return std::min(kLongestPipePoll, previous ? previous * 2 : 1);
}

// Hands each waiting message to the handler until the queue is empty or a
// WM_QUIT is next: that one belongs to the main loop, which must still see it
// after the capture returns.
void DispatchWaitingMessages(MessageHandler handleMessage)
{
    MSG msg;
    // On this one thread nothing can come between the look and the take, so
    // GetMessageA takes the very message that was seen, which is no WM_QUIT.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
        GetMessageA(&msg, nullptr, 0, 0);
        handleMessage(msg);
    }
}

// One capture's own pipe, child and output. A capture started by a message
// that a running one dispatches gets a Capture of its own, so neither
// disturbs the other.
class Capture {
public:
    // False when no child runs: the pipe or the child could not be made.
    bool Start(const Text& commandLine);
    // Gathers the output until the child has ended, then what is left in the pipe.
    void Gather(MessageHandler handleMessage);

    Text TakeOutput() { return std::move(output_); }
    DWORD ExitCode() const;

private:
    DWORD BytesWaiting() const;
    // Reads about as much as is waiting; gives the bytes read, zeros included.
    DWORD Read(DWORD available);

    PipedChild child_;
    Text output_;
};

bool Capture::Start(const Text& commandLine) { return StartPipedChild(commandLine, child_); }

DWORD Capture::BytesWaiting() const
{
    DWORD available = 0;
    // Fails once every writer has gone and the pipe is empty: nothing waits then.
    if (!PeekNamedPipe(child_.readPipe.Get(), nullptr, 0, nullptr, &available, nullptr))
        return 0;
    return available;
}

// Drops from the bytes what follows a zero byte within its piece and moves
// the rest together; returns how many are left.
size_t KeepPieces(char* bytes, size_t count)
{
    if (!std::memchr(bytes, 0, count))
        return count;
    size_t kept = 0;
    for (size_t piece = 0; piece < count; piece += kPieceSize) {
        const size_t length = strnlen(bytes + piece, std::min<size_t>(kPieceSize, count - piece));
        std::memmove(bytes + kept, bytes + piece, length);
        kept += length;
    }
    return kept;
}

// Reads the bytes that BytesWaiting reported straight onto the end of the
// output, which grows once per read instead of being joined anew. Nobody else
// reads the pipe, so none of these reads can block.
DWORD Capture::Read(DWORD available)
{
    DWORD total = 0;
    while (available > 0) {
        const size_t start = output_.size();
        output_.resize(start + kReadSize);
        DWORD got = 0;
        const BOOL read =
            ReadFile(child_.readPipe.Get(), output_.data() + start, kReadSize, &got, nullptr);
        output_.resize(start + KeepPieces(output_.data() + start, got));
        total += got;
        if (!read || got == 0)
            break;
        available -= std::min(available, got);
    }
    return total;
}

void Capture::Gather(MessageHandler handleMessage)
{
    HANDLE child = child_.process.Get();
    DWORD pollMs = 0;
    for (;;) {
        // A WM_QUIT that an earlier pass left in the queue is not new input
        // and does not end the wait. A failed wait would fail again at once,
        // so it counts as the child's end rather than spinning.
        const DWORD woke = MsgWaitForMultipleObjects(1, &child, FALSE, pollMs, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED)
            break;
        const DWORD available = BytesWaiting();
        Read(available);
        pollMs = NextPipePoll(pollMs, available > 0);
        DispatchWaitingMessages(handleMessage);
    }
    // What the child wrote after the last look is still in the pipe. Only
    // what waits there is read: something the child started may still hold
    // the write end, and the capture must not wait for it. A read that gives
    // nothing (a zero-length write) does not end the drain while bytes wait
    // behind it; two in a row do, so the drain cannot spin.
    for (int emptyReads = 0; emptyReads < 2;) {
        const DWORD available = BytesWaiting();
        if (available == 0)
            break;
        emptyReads = Read(available) > 0 ? 0 : emptyReads + 1;
    }
}

DWORD Capture::ExitCode() const
{
    DWORD exitCode = 0;
    GetExitCodeProcess(child_.process.Get(), &exitCode);
    return exitCode;
}

}  // namespace

Text RunAndCapture(const Text& commandLine, MessageHandler handleMessage)
{
    Capture capture;
    const bool started = capture.Start(commandLine);
    if (started)
        capture.Gather(handleMessage);
    Text output = capture.TakeOutput();

    if (captureState) {
        captureState->outputText = output;
        if (started)
            captureState->exitCode = capture.ExitCode();
    }
    return output;
}

void AllocateCaptureState() { captureState = std::make_unique<CaptureState>(); }

void ReleaseCaptureState() { captureState.reset(); }

const CaptureState* LastCapture() { return captureState.get(); }
