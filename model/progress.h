#pragma once
// How a long operation of the core tells its steps, so that the side showing it (the editor's
// progress window) can repaint between them; the core never runs an event loop itself.
namespace tarvena {

class Progress
{
public:
    virtual ~Progress() = default;
    // done of total steps, one call per step in order.
    virtual void advanced(int done, int total) = 0;
};

// Tells a step to a progress that may be absent.
inline void advance(Progress *progress, int done, int total)
{
    if (progress)
        progress->advanced(done, total);
}

} // namespace tarvena
