#include "settings/SelectCommDlg.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTabBar>

#include "document/Steuerung.h"

#include "shared/Fensterregister.h"
#include "shared/StatusDlg.h"

namespace {

constexpr int kHilfe = 1100;
constexpr int kAnschluesse = 16;
constexpr int kSeiteSeriell = 1;

}  // namespace

TIDD_COMM::TIDD_COMM(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  // A fixed dialog border without title-bar buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  BitBtn2->hide();
  for (int n = 1; n <= kAnschluesse; ++n) IDCB_PORT->addItem(QStringLiteral("COM") + QString::number(n));
  for (const char* name : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F"}) {
    IDCB_ADRESS->addItem(QString::fromLatin1(name));
  }
  // A host name or address has no control characters: a pasted line break would reach Wup.ini.
  IDE_IP->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\\x00-\\x1F\\x7F-\\x9F]*")), IDE_IP));

  connect(BitBtnOK, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { BitBtnOKClick(); }); });
  connect(ButtonTESTCON, &QPushButton::clicked, this,
          [this] { fenster::Geschuetzt([this] { ButtonTESTCONClick(); }); });
  connect(CheckBoxCabelPlugged, &QCheckBox::clicked, this,
          [this] { fenster::Geschuetzt([this] { CheckBoxCabelPluggedClick(); }); });
  connect(IDCB_ADRESS, &QComboBox::activated, this, [this] { fenster::Geschuetzt([this] { IDCB_ADRESSChange(); }); });
  // Tab clicks, Ctrl+Tab, the arrow keys and the wheel on the tabs all end here.
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int seite) { SeiteGewechselt(seite); });
}

void TIDD_COMM::Init(TSteuerung* steuerung) { Steuerung = steuerung; }

void TIDD_COMM::ZeigeWerte() {
  IDCB_PORT->setCurrentIndex(Steuerung->ComPort >= 1 && Steuerung->ComPort <= kAnschluesse ? Steuerung->ComPort - 1
                                                                                           : -1);
  CheckBoxLOGEnabled->setChecked(Steuerung->Protokoll);
  SetzeSeite(Steuerung->Page == 0 ? 0 : kSeiteSeriell);
  IDE_IP->setText(QString::fromStdString(Steuerung->IP));
  IDCB_ADRESS->setCurrentIndex(Steuerung->GetAdresse());
  if (CheckBoxCabelPlugged->isChecked() != Steuerung->Kabel) {
    CheckBoxCabelPlugged->setChecked(Steuerung->Kabel);
    CheckBoxCabelPluggedClick();
  }
}

void TIDD_COMM::SetzeSeite(int seite) {
  SeiteSetzen = true;
  PageControl1->setCurrentIndex(seite);
  SeiteSetzen = false;
  Seite = PageControl1->currentIndex();
}

void TIDD_COMM::SeiteGewechselt(int seite) {
  if (SeiteSetzen || seite == Seite) return;
  bool erlaubt = true;
  PageControl1Changing(erlaubt);
  if (erlaubt) {
    Seite = seite;
    return;
  }
  SetzeSeite(Seite);
}

void TIDD_COMM::PageControl1Changing(bool& AllowChange) { AllowChange = !CheckBoxCabelPlugged->isChecked(); }

void TIDD_COMM::CheckBoxCabelPluggedClick() {
  const bool kabel = CheckBoxCabelPlugged->isChecked();
  if (kabel) SetzeSeite(kSeiteSeriell);
  DeviceADR->setVisible(!kabel);
  IDCB_ADRESS->setVisible(!kabel);
}

void TIDD_COMM::IDCB_ADRESSChange() { Steuerung->SetAdresse(IDCB_ADRESS->currentIndex()); }

std::string TIDD_COMM::IpText() const { return IDE_IP->text().trimmed().toStdString(); }

int TIDD_COMM::Anschluss() const {
  return IDCB_PORT->currentIndex() >= 0 ? IDCB_PORT->currentIndex() + 1 : Steuerung->ComPort;
}

void TIDD_COMM::BitBtnOKClick() {
  Steuerung->Page = PageControl1->currentIndex();
  // A log that cannot be opened raises here: the fields after it stay as they were.
  Steuerung->SetProtokoll(CheckBoxLOGEnabled->isChecked() ? 1 : 0);
  Steuerung->IP = IpText();
  Steuerung->ComPort = Anschluss();
  Steuerung->Kabel = CheckBoxCabelPlugged->isChecked();
  Steuerung->SetAdresse(IDCB_ADRESS->currentIndex());
  done(fenster::mrOk);
}

void TIDD_COMM::ButtonTESTCONClick() {
  Steuerung->SetProtokoll(CheckBoxLOGEnabled->isChecked() ? 1 : 0);
  Steuerung->Page = PageControl1->currentIndex();
  Steuerung->IP = IpText();
  Steuerung->ComPort = Anschluss();
  Steuerung->SetAdresse(IDCB_ADRESS->currentIndex());
  Steuerung->Kabel = CheckBoxCabelPlugged->isChecked();
  Steuerung->Verbindungstest(*IDD_STATUS);
}

void TIDD_COMM::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    fenster::Geschuetzt([] { fenster::Hilfe(kHilfe); });
    return;
  }
  fenster::TFormular::keyPressEvent(event);
}
