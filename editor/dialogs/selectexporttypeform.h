#pragma once
// TSelectExportTypeForm: the choice of the spreadsheet engine before a passport is unpacked.
// "Microsoft Excel" is the program's own Excel 97 writer; "OpenOffice Calc" is offered only when the
// office suite is installed.
#include "exchange/workbooks/topofcalc.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarvena::editor {

class TSelectExportTypeForm : public QDialog
{
    Q_OBJECT
public:
    // The results the form closes with.
    enum Result
    {
        ResultCancel = 2,
        ResultYes = 6, // Microsoft Excel
        ResultNo = 7   // OpenOffice Calc
    };

    explicit TSelectExportTypeForm(const EngineAvailability &engines, QWidget *parent = nullptr);

    QLabel *Label1() const { return mLabel1; }
    QPushButton *Button1() const { return mButton1; }
    QPushButton *Button2() const { return mButton2; }
    QPushButton *Button3() const { return mButton3; }

    // Escape and the window's close button end the form as "Отказ" does.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *mLabel1;
    QPushButton *mButton1;
    QPushButton *mButton2;
    QPushButton *mButton3;
};

} // namespace tarvena::editor
