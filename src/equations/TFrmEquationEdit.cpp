#include "equations/TFrmEquationEdit.h"

#include "equations/EquationText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavin {

namespace {

QString Q(const std::string& s) {
    return QString::fromLatin1(s.data(), int(s.size()));
}

std::string S(const QString& s) {
    const QByteArray bytes = s.toLatin1();
    return std::string(bytes.constData(), bytes.size());
}

struct Token {
    const char* token;
    const char* hint;
};

// The operators, in rows of the button block.
constexpr Token kOperators[] = {
    {"+", "Addition"},
    {"-", "Subtract"},
    {"*", "Multiply"},
    {"/", "Divide"},
    {"^", "Power"},
    {"%", "Modulo Arithmetic Operator"},
    {">", "Greater Than"},
    {"<", "Less Than"},
    {">=", "Greater Than or Equal"},
    {"<=", "Less Than or Equal"},
    {"=", "Assigment/Equals"},
    {"<>", "Not Equal"},
    {"?", "IF Statement"},
    {":", "True False Condition Seperator"},
    {"(", "Begin Quantity"},
    {")", "Close Quantity"},
    {";", "Seperate Equation"},
    {",", "Seperate Equation"},
    {"@", "Begin Format Specifier"},
    {"F", "Fixed Decimal Places "},
    {"G", "Maximum Decimal Places"},
};
constexpr int kOperatorColumns = 4;

// The number pad, with its own sign keys.
constexpr const char* kNumberPad[] = {"7", "8", "9", "4", "5", "6", "1",
                                      "2", "3", "0", ".", "-", "+"};
constexpr int kPadColumns = 3;

QComboBox* SensorList(QWidget* parent, const char* name, const char* hint) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->setMaxVisibleItems(16);
    return box;
}

void FillList(QComboBox* box, const std::vector<std::string>& entries) {
    box->clear();
    for (const std::string& e : entries) {
        box->addItem(Q(e));
    }
    box->setCurrentIndex(box->count() > 0 ? 0 : -1);
}

} // namespace

TFrmEquationEdit::TFrmEquationEdit(bool mathFunctions, bool labels, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TFrmEquationEdit");
    setWindowTitle("Equation Editor");
    auto* layout = new QVBoxLayout(this);

    edit_ = new QLineEdit(this);
    edit_->setObjectName("EdtEquation");
    edit_->setMinimumWidth(420);
    edit_->installEventFilter(this);
    layout->addWidget(edit_);

    auto* middle = new QHBoxLayout;
    auto* operators = new QGroupBox("Operators", this);
    auto* opLayout = new QGridLayout(operators);
    int at = 0;
    for (const Token& t : kOperators) {
        QToolButton* b = AddToken(t.token, t.hint);
        b->setParent(operators);
        opLayout->addWidget(b, at / kOperatorColumns, at % kOperatorColumns);
        ++at;
    }
    middle->addWidget(operators);

    auto* numbers = new QGroupBox("Numbers", this);
    auto* padLayout = new QGridLayout(numbers);
    at = 0;
    for (const char* key : kNumberPad) {
        QToolButton* b = AddToken(key, "");
        b->setParent(numbers);
        padLayout->addWidget(b, at / kPadColumns, at % kPadColumns);
        ++at;
    }
    middle->addWidget(numbers);

    auto* sensors = new QGroupBox("Sensors", this);
    auto* sensorLayout = new QGridLayout(sensors);
    sdi12_ = SensorList(sensors, "cbSDI12Sens", "SDI-12 Sensors");
    internal_ = SensorList(sensors, "cbInternSens", "Internal Sensors");
    sensorLayout->addWidget(new QLabel("SDI-12", sensors), 0, 0);
    sensorLayout->addWidget(sdi12_, 0, 1);
    sensorLayout->addWidget(new QLabel("Internal", sensors), 1, 0);
    sensorLayout->addWidget(internal_, 1, 1);
    functions_ = SensorList(sensors, "cbMathFunctions", "Math Functions");
    FillList(functions_, EquationMathFunctions());
    auto* functionsLabel = new QLabel("Functions", sensors);
    sensorLayout->addWidget(functionsLabel, 2, 0);
    sensorLayout->addWidget(functions_, 2, 1);
    functions_->setVisible(mathFunctions);
    functionsLabel->setVisible(mathFunctions);
    sensorLayout->setRowStretch(3, 1);
    middle->addWidget(sensors);
    layout->addLayout(middle);
    if (!labels) {
        SetSensorLists(NumberedSensorReferences('S'), NumberedSensorReferences('I'));
    }
    // Choosing an entry puts it in, even the one already shown.
    for (QComboBox* box : {sdi12_, internal_, functions_}) {
        connect(box, &QComboBox::activated, this,
                [this, box](int index) { Insert(S(box->itemText(index))); });
    }

    auto* bottom = new QHBoxLayout;
    auto* back = new QToolButton(this);
    back->setObjectName("SBtnBackSpace");
    back->setText("<-");
    back->setToolTip("Back Space");
    connect(back, &QToolButton::clicked, this, &TFrmEquationEdit::BackSpaceClick);
    auto* clear = new QPushButton("Clear", this);
    clear->setObjectName("BtnClear");
    clear->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, &TFrmEquationEdit::ClearClick);
    bottom->addWidget(back);
    bottom->addWidget(clear);
    bottom->addStretch(1);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BtnOK");
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("BtnCancel");
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);
}

QToolButton* TFrmEquationEdit::AddToken(const QString& token, const QString& hint) {
    auto* b = new QToolButton(this);
    b->setText(token);
    b->setToolTip(hint);
    b->setProperty("token", token);
    b->setMinimumWidth(32);
    b->setFocusPolicy(Qt::NoFocus); // the caret stays where the user left it
    connect(b, &QToolButton::clicked, this, [this, token] { Insert(S(token)); });
    tokens_.push_back(b);
    return b;
}

QToolButton* TFrmEquationEdit::TokenButton(const QString& token) const {
    for (QToolButton* b : tokens_) {
        if (b->property("token").toString() == token) {
            return b;
        }
    }
    return nullptr;
}

void TFrmEquationEdit::SetEquation(const std::string& text) {
    edit_->setText(Q(text));
    point_ = static_cast<int>(text.size());
    edit_->setCursorPosition(point_);
}

std::string TFrmEquationEdit::Equation() const {
    return S(edit_->text());
}

void TFrmEquationEdit::SetSensorLists(const std::vector<std::string>& sdi12,
                                      const std::vector<std::string>& internal) {
    FillList(sdi12_, sdi12);
    FillList(internal_, internal);
}

void TFrmEquationEdit::Insert(const std::string& token) {
    const EquationEdit e = InsertToken(Equation(), point_, token);
    edit_->setText(Q(e.text));
    point_ = e.point;
    edit_->setCursorPosition(point_);
}

void TFrmEquationEdit::BackSpaceClick() {
    const EquationEdit e = BackSpace(Equation(), point_);
    edit_->setText(Q(e.text));
    point_ = e.point;
    edit_->setCursorPosition(point_);
}

void TFrmEquationEdit::ClearClick() {
    edit_->clear();
    point_ = 0;
}

void TFrmEquationEdit::TakeCaret() {
    point_ = edit_->cursorPosition();
}

bool TFrmEquationEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ &&
        (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyRelease)) {
        TakeCaret();
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmEquationEdit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    for (QComboBox* box : {sdi12_, internal_}) {
        if (box->count() > 0) {
            box->setCurrentIndex(0);
        }
    }
    edit_->setFocus();
    edit_->setCursorPosition(point_);
}

} // namespace tavin
