#include "equations/EquationText.h"
#include "equations/TFrmEquationEdit.h"
#include "protocol/XmtrConfig.h"

#include <gmock/gmock.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace tavin {
namespace {

TEST(EquationText, InsertionAndBackSpace) {
    struct Case {
        const char* text;
        int point;
        const char* token; // nullptr = back space
        const char* result;
        int after;
    };
    const Case cases[] = {
        {"1+*2", 2, "S3", "1+S3*2", 4},
        {"", 0, "sin", "sin", 3},
        {"ab", 99, "+", "ab+", 3}, // a stale point stays within the text
        {"ab", -4, "+", "+ab", 1},
        {"S1+2", 4, nullptr, "S1+", 3},
        {"S1+2", 2, nullptr, "S+2", 1},
        {"S1+2", 0, nullptr, "S1+2", 0}, // at the start nothing changes
        {"", 0, nullptr, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const EquationEdit e =
            c.token ? InsertToken(c.text, c.point, c.token) : BackSpace(c.text, c.point);
        EXPECT_EQ(e.text, c.result);
        EXPECT_EQ(e.point, c.after);
    }
}

TEST(EquationText, SensorReferences) {
    const auto numbered = NumberedSensorReferences('S');
    ASSERT_EQ(numbered.size(), 64u);
    EXPECT_EQ(numbered.front(), "S0");
    EXPECT_EQ(numbered.back(), "S63");
    XmtrConfig cfg;
    cfg.SDI12[1].Label = "WIND";
    cfg.SDI12[2].Label = "";
    cfg.Internal[3].Label = "";
    const auto sdi = LabelledSensorReferences(cfg, true);
    const auto intern = LabelledSensorReferences(cfg, false);
    EXPECT_EQ(sdi[0], "SDI0");
    EXPECT_EQ(sdi[1], "WIND");
    EXPECT_EQ(sdi[2], "S2");
    EXPECT_EQ(intern[3], "I3");
    EXPECT_EQ(intern[10], "IN10");
    EXPECT_EQ(EquationMathFunctions().size(), 15u);
}

struct Editor {
    Editor(bool math, bool labels) : dialog(math, labels) {
        dialog.show();
        edit = dialog.findChild<QLineEdit*>("EdtEquation");
    }
    void Click(const char* name) {
        QTest::mouseClick(dialog.findChild<QAbstractButton*>(name), Qt::LeftButton);
    }
    void Token(const char* token) { QTest::mouseClick(dialog.TokenButton(token), Qt::LeftButton); }
    TFrmEquationEdit dialog;
    QLineEdit* edit = nullptr;
};

TEST(TFrmEquationEdit, ButtonsInsertAtTheCaret) {
    Editor e(true, false);
    ASSERT_NE(e.edit, nullptr);
    EXPECT_EQ(e.dialog.windowTitle(), "Equation Editor");
    e.dialog.SetEquation("1+*2");
    EXPECT_EQ(e.dialog.InsertionPoint(), 4);
    // The user puts the caret between "+" and "*".
    QTest::mouseClick(e.edit, Qt::LeftButton, {}, QPoint(2, e.edit->height() / 2));
    e.edit->setCursorPosition(2);
    QTest::keyClick(e.edit, Qt::Key_Shift); // a key release takes the caret
    EXPECT_EQ(e.dialog.InsertionPoint(), 2);

    auto* sdi = e.dialog.findChild<QComboBox*>("cbSDI12Sens");
    ASSERT_EQ(sdi->count(), 64);
    EXPECT_EQ(sdi->currentText(), "S0");
    emit sdi->activated(3);
    EXPECT_EQ(e.dialog.Equation(), "1+S3*2");
    EXPECT_EQ(e.dialog.InsertionPoint(), 4);
    EXPECT_EQ(e.edit->cursorPosition(), 4);

    e.Token(">=");
    e.Token("7");
    EXPECT_EQ(e.dialog.Equation(), "1+S3>=7*2");
    e.Click("SBtnBackSpace");
    EXPECT_EQ(e.dialog.Equation(), "1+S3>=*2");
    auto* functions = e.dialog.findChild<QComboBox*>("cbMathFunctions");
    EXPECT_FALSE(functions->isHidden());
    EXPECT_EQ(functions->currentText(), "sin");
    emit functions->activated(10);
    EXPECT_EQ(e.dialog.Equation(), "1+S3>=sqrt*2");
    e.Click("BtnClear");
    EXPECT_EQ(e.dialog.Equation(), "");
    e.Token("(");
    EXPECT_EQ(e.dialog.Equation(), "(");

    EXPECT_EQ(e.dialog.TokenButton("%")->toolTip(), "Modulo Arithmetic Operator");
    EXPECT_EQ(e.dialog.TokenButton("=")->toolTip(), "Assigment/Equals");
    EXPECT_EQ(e.dialog.TokenButton(":")->toolTip(), "True False Condition Seperator");
    EXPECT_EQ(e.dialog.TokenButton("F")->toolTip(), "Fixed Decimal Places ");
}

TEST(TFrmEquationEdit, LabelsComeFromTheOpener) {
    Editor e(false, true);
    auto* sdi = e.dialog.findChild<QComboBox*>("cbSDI12Sens");
    auto* intern = e.dialog.findChild<QComboBox*>("cbInternSens");
    EXPECT_EQ(sdi->count(), 0);
    EXPECT_TRUE(e.dialog.findChild<QComboBox*>("cbMathFunctions")->isHidden());
    e.dialog.SetSensorLists({"AIR", "S1"}, {"BATT"});
    EXPECT_EQ(sdi->currentText(), "AIR");
    emit intern->activated(0);
    EXPECT_EQ(e.dialog.Equation(), "BATT");
}

TEST(TFrmEquationEdit, OkAndCancel) {
    for (const char* button : {"BtnOK", "BtnCancel"}) {
        TFrmEquationEdit dialog(false, false);
        dialog.SetEquation("S0*2");
        QTimer::singleShot(0, &dialog, [&dialog, button] {
            QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject); // fallback
        const int result = dialog.exec();
        EXPECT_EQ(result, std::string(button) == "BtnOK" ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(dialog.Equation(), "S0*2");
    }
}

} // namespace
} // namespace tavin
