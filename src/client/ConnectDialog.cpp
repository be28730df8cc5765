#include "client/ConnectDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "session/ConnectSettings.h"
#include "discovery/AvahiBus.h"
#include "discovery/GameBrowser.h"
#include "net/Version.h"
#include "store/SettingsFile.h"

namespace tc::client {

namespace {
// Names travel in every seat line; a screenful is plenty.
constexpr int kMaxNameLength = 32;
constexpr int kMaxAddressLength = 253;  // the longest DNS name
constexpr int kAddressRole = Qt::UserRole;
constexpr int kPortRole = Qt::UserRole + 1;
}

ConnectDialog::ConnectDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ConnectDialog"));
    auto* form = new QFormLayout;
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("edit_name"));
    name_->setMaxLength(kMaxNameLength);
    form->addRow(tr("Your name:"), name_);
    address_ = new QComboBox(this);
    address_->setObjectName(QStringLiteral("combo_address"));
    address_->setEditable(true);
    address_->setInsertPolicy(QComboBox::NoInsert);
    address_->setMinimumContentsLength(24);
    address_->lineEdit()->setMaxLength(kMaxAddressLength);
    address_->lineEdit()->setPlaceholderText(tr("e.g. 192.168.1.20"));
    addressLabel_ = new QLabel(tr("Host's address:"), this);
    form->addRow(addressLabel_, address_);
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("spin_port"));
    port_->setRange(1, 65535);
    port_->setValue(ConnectSettings::kDefaultPort);
    form->addRow(tr("Port:"), port_);

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("label_hint"));
    hint_->setWordWrap(true);
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("label_problem"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #a00000"));
    problem_->hide();

    announce_ = new QCheckBox(tr("Show this game to players on your network"), this);
    announce_->setObjectName(QStringLiteral("check_announce"));
    announce_->setChecked(true);
    mapPort_ = new QCheckBox(tr("Open the port on my router"), this);
    mapPort_->setObjectName(QStringLiteral("check_mapport"));
    mapPort_->setToolTip(tr("Asks your home router to let players on the internet in while you host"));
    mapPort_->setChecked(true);

    gamesLabel_ = new QLabel(tr("Games on your network:"), this);
    games_ = new QTreeWidget(this);
    games_->setObjectName(QStringLiteral("list_games"));
    games_->setColumnCount(4);
    games_->setHeaderLabels(
        {tr("Game"), tr("Address"), tr("Players"), tr("State")});
    games_->setRootIsDecorated(false);
    games_->setUniformRowHeights(true);
    games_->setSelectionMode(QAbstractItemView::SingleSelection);
    games_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    games_->header()->setStretchLastSection(true);
    games_->setMinimumHeight(120);
    discovery_ = new QLabel(discovery::unavailableText(), this);
    discovery_->setObjectName(QStringLiteral("label_discovery"));
    discovery_->setWordWrap(true);
    discovery_->setEnabled(false);  // drawn greyed: a remark, not an error
    discovery_->hide();
    browser_ = new discovery::GameBrowser(this);
    QObject::connect(browser_, &discovery::GameBrowser::gamesChanged, this, &ConnectDialog::showGames);
    QObject::connect(browser_, &discovery::GameBrowser::stateChanged, this, &ConnectDialog::showBrowserState);
    QObject::connect(games_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { gameChosen(item); });
    QObject::connect(games_, &QTreeWidget::currentItemChanged, this,
                     [this](QTreeWidgetItem* item) { gameChosen(item); });
    QObject::connect(games_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        gameChosen(item);
        if (!trying_ && name_->text().trimmed().isEmpty()) {
            // Join stays grey without a name: say why, where it is typed.
            showProblem(kNameNeeded);
            name_->setFocus();
            return;
        }
        accepted();
    });
    // The list is followed only while the dialog is open.
    QObject::connect(this, &QDialog::finished, browser_, &discovery::GameBrowser::stop);

    auto* buttons = new QDialogButtonBox(this);
    connect_ = buttons->addButton(tr("Join"), QDialogButtonBox::AcceptRole);
    connect_->setObjectName(QStringLiteral("button_connect"));
    connect_->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("button_cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &ConnectDialog::accepted);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QObject::connect(this, &QDialog::rejected, this, [this] {
        if (!trying_) return;
        trying_ = false;
        emit cancelled();
    });
    QObject::connect(name_, &QLineEdit::textChanged, this, [this] {
        if (problem_->text() == kNameNeeded && !name_->text().trimmed().isEmpty()) showProblem(QString());
        updateButton();
    });
    QObject::connect(address_, &QComboBox::editTextChanged, this, &ConnectDialog::updateButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gamesLabel_);
    layout->addWidget(games_);
    layout->addWidget(discovery_);
    layout->addLayout(form);
    layout->addWidget(announce_);
    layout->addWidget(mapPort_);
    layout->addWidget(hint_);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
}

ConnectDialog::~ConnectDialog() {
    // The browser goes with the dialog's children and says so as it stops;
    // by then the widgets that would show it are half gone (a window closed
    // with the Join dialog open).
    browser_->disconnect(this);
}

void ConnectDialog::openFor(Mode mode) {
    mode_ = mode;
    const bool host = mode == Mode::Host;
    setWindowTitle(host ? tr("Host a Game") : tr("Join a Game"));
    connect_->setText(host ? tr("Host") : tr("Join"));
    hint_->setText(host ? tr("Others join at an address shown in the chat. The port must be open to "
                                         "them: your firewall may need it, and the game can ask your router.")
                        : tr("Choose a game above, or ask the host for the address and the port. "
                                         "The port may also follow the address: 192.168.1.20:7772 or "
                                         "[fd00::2]:7772."));
    trying_ = false;
    showProblem(QString());
    addressLabel_->setVisible(!host);
    address_->setVisible(!host);
    announce_->setVisible(host);
    mapPort_->setVisible(host);
    gamesLabel_->setVisible(!host);
    games_->setVisible(!host);
    games_->clear();
    discovery_->hide();

    const ConnectSettings s = settings_ ? ConnectSettings::read(*settings_) : ConnectSettings{};
    QString name = QString::fromStdString(s.name);
    if (name.isEmpty()) name = qEnvironmentVariable("USER");
    name_->setText(name.left(kMaxNameLength));
    address_->clear();
    for (const std::string& a : s.addresses) address_->addItem(QString::fromStdString(a));
    address_->setCurrentIndex(address_->count() > 0 ? 0 : -1);
    if (address_->count() == 0) address_->setEditText(QString());
    port_->setValue(host && gamePort_ != 0 ? gamePort_ : s.port);
    announce_->setChecked(s.announce);
    mapPort_->setChecked(s.mapPort);
    updateButton();
    if (host) browser_->stop();
    else browser_->start();
    open();
    (host || !address().isEmpty() ? static_cast<QWidget*>(name_) : address_)->setFocus();
}

QString ConnectDialog::address() const { return address_->currentText().trimmed(); }

MainOptions ConnectDialog::options() const {
    MainOptions o;
    const bool host = mode_ == Mode::Host;
    o.port = static_cast<quint16>(port_->value());
    std::string where = "127.0.0.1";
    if (!host) {
        const JoinAddress a = JoinAddress::parse(address().toStdString());
        where = a.error.empty() ? a.host : address().toStdString();
        if (a.port != 0) o.port = static_cast<quint16>(a.port);
    }
    o.params = {name_->text().trimmed().toStdString(), where, host ? "true" : "x"};
    o.announce = host && announce_->isChecked();
    o.mapPort = host && mapPort_->isChecked();
    return o;
}

void ConnectDialog::showBrowserState() {
    const bool unavailable = browser_->state() == discovery::GameBrowser::State::Unavailable;
    // "Not running here" only when it is not; any other failure by its name.
    if (unavailable)
        discovery_->setText(browser_->avahiAbsent() ? discovery::unavailableText()
                                                    : discovery::failedText(browser_->error()));
    discovery_->setVisible(mode_ == Mode::Join && unavailable);
    fitRows();  // a wrapped note needs more height than the layout's minimum knows
    if (browser_->state() != discovery::GameBrowser::State::Browsing) showGames();
}

void ConnectDialog::showGames() {
    // Rebuilt whole; the chosen row stays chosen without filling the
    // fields again, so an address typed meanwhile is kept.
    const QTreeWidgetItem* current = games_->currentItem();
    const QString chosen = current ? current->text(0) : QString();
    const QSignalBlocker block(games_);
    games_->clear();
    for (const discovery::FoundGame& g : browser_->games()) {
        QString name = QString::fromStdString(g.name);
        if (!g.info.version.empty() && g.info.version != net::kProtocolVersion)
            name += tr(" (version %1)").arg(QString::fromStdString(g.info.version));
        const QString address = QString::fromStdString(g.address);
        const QString shown = address.contains(QLatin1Char(':')) ? QStringLiteral("[%1]:%2").arg(address).arg(g.port)
                                                                 : QStringLiteral("%1:%2").arg(address).arg(g.port);
        auto* item = new QTreeWidgetItem(games_, {name, shown, QString::fromStdString(discovery::playersText(g.info)),
                                                  QString::fromStdString(discovery::stateText(g.info))});
        item->setData(0, kAddressRole, address);
        item->setData(0, kPortRole, g.port);
        if (name == chosen) games_->setCurrentItem(item);
    }
}

void ConnectDialog::gameChosen(QTreeWidgetItem* item) {
    // While a join is tried its fields stay as they were sent.
    if (!item || mode_ != Mode::Join || trying_) return;
    address_->setEditText(item->data(0, kAddressRole).toString());
    port_->setValue(item->data(0, kPortRole).toInt());
}

void ConnectDialog::updateButton() {
    const bool ready = !name_->text().trimmed().isEmpty() && (mode_ == Mode::Host || !address().isEmpty());
    connect_->setEnabled(ready && !trying_);
}

void ConnectDialog::showProblem(const QString& text) {
    problem_->setText(text);
    problem_->setVisible(!text.isEmpty());
    fitRows();
}

void ConnectDialog::fitRows() {
    // Before it is shown the dialog takes its size from its contents anyway.
    if (!isVisible()) return;
    QLayout* rows = layout();
    rows->activate();
    const int needed = rows->hasHeightForWidth() ? rows->totalHeightForWidth(width()) : rows->totalSizeHint().height();
    if (height() < needed) resize(width(), needed);
}

void ConnectDialog::accepted() {
    if (!connect_->isEnabled()) return;
    if (mode_ == Mode::Join) {
        const JoinAddress a = JoinAddress::parse(address().toStdString());
        if (!a.error.empty()) {
            showProblem(QString::fromStdString(a.error));
            address_->setFocus();
            address_->lineEdit()->selectAll();
            return;
        }
    }
    const MainOptions o = options();
    sent_ = o;
    trying_ = true;
    updateButton();
    showProblem(QString());
    hint_->setText(mode_ == Mode::Host ? tr("Starting the game on port %1\u2026").arg(o.port)
                                       : tr("Joining %1 port %2\u2026")
                                             .arg(QString::fromStdString(o.params[1]))
                                             .arg(o.port));
    emit connectRequested(o);
}

void ConnectDialog::connectFailed(const QString& reason, quint16 offeredPort) {
    if (!trying_) return;
    trying_ = false;
    const bool host = mode_ == Mode::Host;
    hint_->setText(host ? tr("Choose another port.")
                        : tr("Check the address and the port, then try again."));
    showProblem(reason);
    if (offeredPort != 0) port_->setValue(offeredPort);
    updateButton();
    if (host) {
        port_->setFocus();
        port_->selectAll();
    } else {
        address_->setFocus();
        address_->lineEdit()->selectAll();
    }
}

void ConnectDialog::connectSucceeded() {
    if (!trying_) return;
    trying_ = false;
    const MainOptions& o = sent_;
    if (settings_) {
        ConnectSettings s = ConnectSettings::read(*settings_);
        s.name = o.params[0];
        s.port = o.port;
        if (mode_ == Mode::Join) s.remember(o.params[1]);
        else {
            s.announce = o.announce;
            s.mapPort = o.mapPort;
        }
        // A file that cannot be written costs only the memory of it.
        s.write(*settings_);
    }
    updateButton();
    accept();
}

} // namespace tc::client
