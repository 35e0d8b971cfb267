#include "zelomm/about.h"

#include "zelomm/bar_drawing.h"
#include "zelomm/resources.h"
#include "zelomm/zelomm_ids.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <climits>

namespace dorrin::zelomm {
namespace {

QString fromView(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Icon and texts side by side, as on the About box and page.
void fillAbout(QWidget *w) {
  auto *row = new QHBoxLayout;
  auto *icon = new QLabel(w);
  icon->setObjectName(QStringLiteral("aboutIcon"));
  icon->setPixmap(QPixmap::fromImage(toolboxPicture().scaled(32, 30)));
  icon->setAlignment(Qt::AlignTop);
  auto *text = new QLabel(aboutText(), w);
  text->setObjectName(QStringLiteral("aboutText"));
  row->addWidget(icon);
  row->addWidget(text, 1);
  auto *column = qobject_cast<QVBoxLayout *>(w->layout());
  if (!column) column = new QVBoxLayout(w);
  column->addLayout(row);
}

} // namespace

QString aboutTitle() {
  return QStringLiteral("About ") + fromView(loadString(IDS_ZELOMM));
}

QString aboutText() {
  return QStringLiteral("%1, version 1.0\n"
                        "A multimedia control: a bar of nine buttons over the media\n"
                        "control interface, driven by command words.\n\n"
                        "Made by Tessivo for the Dorrin organiser.")
      .arg(fromView(loadString(IDS_ZELOMM)));
}

QDialog *makeAboutBox(QWidget *parent) {
  auto *d = new QDialog(parent);
  d->setObjectName(QStringLiteral("ZelommAboutBox"));
  d->setWindowTitle(aboutTitle());
  d->setModal(true);
  auto *column = new QVBoxLayout(d);
  fillAbout(d);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, d);
  QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
  column->addWidget(buttons);
  return d;
}

void showAboutBox(QWidget *parent) {
  QDialog *d = makeAboutBox(parent);
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->exec();
}

QWidget *makeAboutPage(QWidget *parent) {
  auto *page = new QWidget(parent);
  page->setObjectName(QStringLiteral("AboutPage"));
  new QVBoxLayout(page);
  fillAbout(page);
  static_cast<QVBoxLayout *>(page->layout())->addStretch(1);
  return page;
}

// ---- General page ----

namespace {
constexpr int kFirstId = 201;
constexpr const char *kLabels[4] = {"BevelWidth", "DeviceType", "FileName", "UpdateInterval"};
} // namespace

GeneralPage::GeneralPage(com::IDispatch *control, QWidget *parent)
    : QWidget(parent), control_(control) {
  setObjectName(QStringLiteral("GeneralPage"));
  auto *form = new QFormLayout(this);
  for (int i = 0; i < 4; ++i) {
    edits_[i] = new QLineEdit(this);
    edits_[i]->setObjectName(QStringLiteral("edit%1").arg(kFirstId + i));
    edits_[i]->setProperty("controlId", kFirstId + i);
    form->addRow(QString::fromLatin1(kLabels[i]), edits_[i]);
    connect(edits_[i], &QLineEdit::textEdited, this, [this] { dirty_ = true; });
  }
  load();
}

QLineEdit *GeneralPage::edit(int id) const {
  return id >= kFirstId && id < kFirstId + 4 ? edits_[id - kFirstId] : nullptr;
}

namespace {
constexpr com::DISPID kPageIds[4] = {dispidBevelWidth, dispidDeviceType, dispidFileName,
                                     dispidUpdateInterval};
} // namespace

void GeneralPage::load() {
  for (int i = 0; i < 4; ++i) {
    com::Variant v, text;
    if (control_ && com::succeeded(com::getProperty(control_.get(), kPageIds[i], &v)) &&
        com::succeeded(v.changeType(com::VT_BSTR, &text)))
      edits_[i]->setText(QString::fromStdString(text.str()));
    else
      edits_[i]->clear();
  }
  dirty_ = false;
}

bool GeneralPage::apply() {
  if (!control_) return false;
  bool ok = true;
  for (int i = 0; i < 4; ++i) {
    const QString text = edits_[i]->text();
    com::Variant value{text.toStdString()};
    if (kPageIds[i] == dispidBevelWidth || kPageIds[i] == dispidUpdateInterval) {
      bool isNumber = false;
      const int n = text.trimmed().toInt(&isNumber);
      if (!isNumber || n < SHRT_MIN || n > SHRT_MAX) {
        ok = false;
        continue;
      }
      value = com::Variant(static_cast<std::int16_t>(n));
    }
    com::Variant old;
    // Unchanged values are not put again, so the form is not marked modified.
    if (com::succeeded(com::getProperty(control_.get(), kPageIds[i], &old)) && old == value)
      continue;
    if (com::failed(com::putProperty(control_.get(), kPageIds[i], value))) ok = false;
  }
  if (ok) load(); // shows what the control kept (upper-cased type, bevel within 0..10)
  return ok;
}

QDialog *makePropertySheet(com::IDispatch *control, QWidget *parent) {
  auto *d = new QDialog(parent);
  d->setObjectName(QStringLiteral("ZelommProperties"));
  d->setWindowTitle(fromView(loadString(IDS_ZELOMM)) + QStringLiteral(" Properties"));
  auto *column = new QVBoxLayout(d);
  auto *tabs = new QTabWidget(d);
  auto *general = new GeneralPage(control, tabs);
  tabs->addTab(general, fromView(loadString(IDS_ZELOMM_PPG_CAPTION)));
  tabs->addTab(makeAboutPage(tabs), fromView(loadString(IDS_ABOUT_PPG_CAPTION)));
  column->addWidget(tabs);
  auto *buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, d);
  column->addWidget(buttons);
  const auto applyOrSay = [d, general] {
    if (general->apply()) return true;
    QMessageBox::warning(d, d->windowTitle(),
                         QStringLiteral("BevelWidth and UpdateInterval take whole numbers "
                                        "from -32768 to 32767."));
    return false;
  };
  QObject::connect(buttons, &QDialogButtonBox::accepted, d, [d, applyOrSay] {
    if (applyOrSay()) d->accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
  QObject::connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, d, applyOrSay);
  return d;
}

} // namespace dorrin::zelomm
