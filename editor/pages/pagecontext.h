#pragma once
// What a page may use: the data module, the prompts and dialog services, and its host (the main
// window), which queues page switches for after the current event and owns the progress window.
#include "model/tablepage.h"

#include <QString>

class QWidget;

namespace tarvena {
class Prompts;
class TDataModule2;
} // namespace tarvena

namespace tarvena::editor {

class DialogService;

class PageHost
{
public:
    virtual ~PageHost() = default;
    // Queued requests: the switch happens once the current event handler has returned.
    virtual void postTablePage(int index) = 0;
    virtual void postMainPage(int index) = 0;
    void postTablePage(TablePage page) { postTablePage(pageIndex(page)); }
    // The window that owns dialogs, message boxes and the progress window.
    virtual QWidget *window() = 0;
    // Opens the passport check's list (a host without one ignores it).
    virtual void showPassportCheck() {}
};

struct PageContext
{
    TDataModule2 &data;
    Prompts &prompts;
    DialogService &dialogs;
    PageHost &host;
};

} // namespace tarvena::editor
