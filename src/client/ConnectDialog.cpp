#include "client/ConnectDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "session/ConnectSettings.h"
#include "store/SettingsFile.h"

namespace tc::client {

namespace {
// Names travel in every seat line; a screenful is plenty.
constexpr int kMaxNameLength = 32;
constexpr int kMaxAddressLength = 253;  // the longest DNS name
}

ConnectDialog::ConnectDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ConnectDialog"));
    auto* form = new QFormLayout;
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("edit_name"));
    name_->setMaxLength(kMaxNameLength);
    form->addRow(QStringLiteral("Your name:"), name_);
    address_ = new QComboBox(this);
    address_->setObjectName(QStringLiteral("combo_address"));
    address_->setEditable(true);
    address_->setInsertPolicy(QComboBox::NoInsert);
    address_->setMinimumContentsLength(24);
    address_->lineEdit()->setMaxLength(kMaxAddressLength);
    address_->lineEdit()->setPlaceholderText(QStringLiteral("e.g. 192.168.1.20"));
    addressLabel_ = new QLabel(QStringLiteral("Host's address:"), this);
    form->addRow(addressLabel_, address_);
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("spin_port"));
    port_->setRange(1, 65535);
    port_->setValue(ConnectSettings::kDefaultPort);
    form->addRow(QStringLiteral("Port:"), port_);

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("label_hint"));
    hint_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    connect_ = buttons->addButton(QStringLiteral("Join"), QDialogButtonBox::AcceptRole);
    connect_->setObjectName(QStringLiteral("button_connect"));
    connect_->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("button_cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &ConnectDialog::accepted);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QObject::connect(name_, &QLineEdit::textChanged, this, &ConnectDialog::updateButton);
    QObject::connect(address_, &QComboBox::editTextChanged, this, &ConnectDialog::updateButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint_);
    layout->addWidget(buttons);
}

void ConnectDialog::openFor(Mode mode) {
    mode_ = mode;
    const bool host = mode == Mode::Host;
    setWindowTitle(host ? QStringLiteral("Host a Game") : QStringLiteral("Join a Game"));
    connect_->setText(host ? QStringLiteral("Host") : QStringLiteral("Join"));
    hint_->setText(host ? QStringLiteral("Others join at an address shown in the chat. The port must be open to "
                                         "them (your firewall or router may need it).")
                        : QStringLiteral("Ask the host for the address and the port."));
    addressLabel_->setVisible(!host);
    address_->setVisible(!host);

    const ConnectSettings s = settings_ ? ConnectSettings::read(*settings_) : ConnectSettings{};
    QString name = QString::fromStdString(s.name);
    if (name.isEmpty()) name = qEnvironmentVariable("USER");
    name_->setText(name.left(kMaxNameLength));
    address_->clear();
    for (const std::string& a : s.addresses) address_->addItem(QString::fromStdString(a));
    address_->setCurrentIndex(address_->count() > 0 ? 0 : -1);
    if (address_->count() == 0) address_->setEditText(QString());
    port_->setValue(host && gamePort_ != 0 ? gamePort_ : s.port);
    updateButton();
    open();
    (host || !address().isEmpty() ? static_cast<QWidget*>(name_) : address_)->setFocus();
}

QString ConnectDialog::address() const {
    QString a = address_->currentText().trimmed();
    if (a.startsWith(QLatin1Char('[')) && a.endsWith(QLatin1Char(']'))) a = a.mid(1, a.size() - 2);
    return a;
}

MainOptions ConnectDialog::options() const {
    MainOptions o;
    const bool host = mode_ == Mode::Host;
    o.params = {name_->text().trimmed().toStdString(),
                host ? std::string("127.0.0.1") : address().toStdString(), host ? "true" : "x"};
    o.port = static_cast<quint16>(port_->value());
    return o;
}

void ConnectDialog::updateButton() {
    const bool ready = !name_->text().trimmed().isEmpty() && (mode_ == Mode::Host || !address().isEmpty());
    connect_->setEnabled(ready);
}

void ConnectDialog::accepted() {
    if (!connect_->isEnabled()) return;
    const MainOptions o = options();
    if (settings_) {
        ConnectSettings s = ConnectSettings::read(*settings_);
        s.name = o.params[0];
        s.port = o.port;
        if (mode_ == Mode::Join) s.remember(o.params[1]);
        // A file that cannot be written costs only the memory of it.
        s.write(*settings_);
    }
    accept();
    emit connectRequested(o);
}

} // namespace tc::client
