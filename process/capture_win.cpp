#include "process/capture.h"

Text RunAndCapture(const Text&, MessageHandler)
{
    return Text();  // placeholder until the output capture lands
}

void AllocateCaptureState() {}
void ReleaseCaptureState() {}
