#pragma once
// "Equation Editor": composes one equation with buttons, so that the user
// need not remember the syntax. It edits text only; the transmitter
// evaluates it.

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace tavin {

class TFrmEquationEdit : public QDialog {
    Q_OBJECT
public:
    // mathFunctions: the function list is offered (EquationMathFunctions).
    // labels: sensors are named by their labels, which the opener gives
    // with SetSensorLists; otherwise "S0".."S63" and "I0".."I63".
    TFrmEquationEdit(bool mathFunctions, bool labels, QWidget* parent = nullptr);

    // The text is replaced and the caret put at its end.
    void SetEquation(const std::string& text);
    std::string Equation() const;
    void SetSensorLists(const std::vector<std::string>& sdi12,
                        const std::vector<std::string>& internal);
    // Where the next token goes.
    int InsertionPoint() const { return point_; }

    // The button that inserts `token` (the first, for "-" and "+"), or null.
    QToolButton* TokenButton(const QString& token) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* AddToken(const QString& token, const QString& hint);
    void Insert(const std::string& token);
    void BackSpaceClick();
    void ClearClick();
    void TakeCaret();

    QLineEdit* edit_ = nullptr;
    QComboBox* sdi12_ = nullptr;
    QComboBox* internal_ = nullptr;
    QComboBox* functions_ = nullptr;
    std::vector<QToolButton*> tokens_;
    int point_ = 0;
};

} // namespace tavin
