#include "editor/backgroundwork.h"

#include "editor/loadingform.h"

#include <chrono>
#include <future>

namespace tarvena::editor {

namespace {
// Quick work ends before the progress window would only flash.
constexpr std::chrono::milliseconds kShowAfter{150};
constexpr std::chrono::milliseconds kPaintEvery{30};
} // namespace

void runInBackground(QWidget *owner, const QString &text, const std::function<void()> &work)
{
    std::future<void> done = std::async(std::launch::async, work);
    if (done.wait_for(kShowAfter) != std::future_status::ready) {
        LoadingScope loading(owner, text);
        while (done.wait_for(kPaintEvery) != std::future_status::ready)
            loading.pump();
    }
    done.get();
}

} // namespace tarvena::editor
