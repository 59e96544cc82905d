#pragma once
// The editor on page 11 with the sample passport, for the tests of the contour page and its import.
#include "editor/grid/tablegrid.h"
#include "editor/pages/contourspage.h"
#include "editor/parts/contourchart.h"
#include "tests/editor/editorfixture.h"

#include <QLineSeries>
#include <QPushButton>

namespace tarvena::testing {

inline constexpr int kContourPage = 10;

struct ContourPageEditor : Editor
{
    editor::ContoursPage *page = nullptr; // shadows Editor::page<P>(): this test has one page

    // Opens the sample passport (or path) and enters the contour page as the user does.
    bool start(const std::string &path = builtSamplePassport())
    {
        open(path);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return false;
        enterPage(kContourPage);
        page = book()->page<editor::ContoursPage>();
        return page && book()->pageControl()->currentIndex() == kContourPage;
    }
    void click(const char *button)
    {
        QTest::mouseClick(page->button(button), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    editor::TableGrid *grid(const char *name) const { return page->grid(name); }
    QList<QLineSeries *> outlines() const { return page->Chart1()->outlines(); }
    int count() const { return data.POSIB_PRODUCT_HOR.FieldByName("KONTURNUMPOINTS").AsInteger(); }
};

} // namespace tarvena::testing
