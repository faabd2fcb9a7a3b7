#include "app/THelpBox.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tavin {

THelpBox::THelpBox(const QString& title, const QString& html, QWidget* parent) : QDialog(parent) {
    setObjectName("HelpBox");
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QTextBrowser(this);
    text->setObjectName("HelpText");
    text->setOpenExternalLinks(false);
    text->setHtml(html);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(600, 560);
}

QString GettingStartedHtml(const QString& preferencesFile) {
    return QStringLiteral(
               "<h3>Connecting</h3>"
               "<p>Connect the PC's serial port, or a USB serial adapter, to the TAVIN's "
               "RS-232 port. Choose the port under <b>Options &gt; Comm</b>: COM1 to COM8, "
               "or <b>Other ...</b> for a higher number. On Linux port <i>n</i> is "
               "<tt>/dev/ttyS</tt><i>n-1</i> unless key <tt>Port</tt><i>n</i> in section "
               "<tt>COMM</tt> of the preferences file names another device, for example "
               "<tt>Port3=/dev/ttyUSB0</tt>; the user must be a member of group "
               "<tt>dialout</tt>.</p>"
               "<p>The light at the bottom left turns green when the TAVIN answers; the "
               "pane beside it says which port is in use, \"COM None\" or \"No TAVIN\".</p>"
               "<p>To work without a TAVIN, tick <b>Work Offline</b> under "
               "<b>Options &gt; Preferences</b>.</p>"
               "<h3>What Do You Want To Do?</h3>"
               "<p>Pick one of the four buttons on the first page; press it again to come "
               "back here.</p><ul>"
               "<li><b>Create/Open A Setup Template</b>: prepare a configuration without a "
               "TAVIN and keep it with <b>File &gt; Save Template</b>.</li>"
               "<li><b>Configure TAVIN From A Template</b>: open a template, enter the "
               "station's own values and press <b>Send Config To TAVIN</b>.</li>"
               "<li><b>Configure / Control / Deploy TAVIN</b>: <b>Retrieve Config From "
               "TAVIN</b>, edit the pages, <b>Check Local Config</b>, <b>Send Config To "
               "TAVIN</b>, set the clock, enable or disable transmissions.</li>"
               "<li><b>Monitor / Inspect TAVIN</b>: watch the TAVIN's status without "
               "changing its configuration.</li></ul>"
               "<h3>Preferences</h3>"
               "<p>Your preferences are kept in <tt>%1</tt>.</p>")
        .arg(preferencesFile.toHtmlEscaped());
}

QString KeyboardAndMouseHtml() {
    return QStringLiteral(
        "<ul>"
        "<li><b>Tab</b> and <b>Shift+Tab</b> move from field to field; <b>Ctrl+Tab</b> goes "
        "to the next page.</li>"
        "<li>Rest the mouse on a control: its hint appears in the status bar.</li>"
        "<li>In a grid, the arrow keys move between cells; double-click a cell or press "
        "<b>F2</b> to edit it, <b>Enter</b> keeps what you typed and <b>Esc</b> drops "
        "it.</li>"
        "<li><b>Space</b> ticks a check box or presses the button that has the focus.</li>"
        "<li>In a number field, <b>Up</b> and <b>Down</b> step the value.</li>"
        "<li><b>Esc</b> closes a box without doing anything; <b>Enter</b> presses its "
        "default button.</li>"
        "</ul>");
}

} // namespace tavin
