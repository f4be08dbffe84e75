#include "ui/main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "app/rename_job.h"
#include "app/startup.h"
#include "app/status_texts.h"
#include "ui/jpeg_image.h"

// The pictures live in this static library, which the linker would leave out unasked.
static void InitResources() {
  Q_INIT_RESOURCE(resources);
}

namespace vestrel {
namespace {

// The client area that a standard Windows frame leaves of a 430 x 480 window.
constexpr QSize kClientSize(414, 441);
constexpr QSize kOuterSize(430, 480);

QFont ControlFont(bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑"),
                    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")});
  font.setPixelSize(12);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

QPixmap Banner() {
  QFile file(QStringLiteral(":/vestrel/banner.jpg"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return QPixmap::fromImage(
      DecodeJpeg(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

template <typename Widget>
Widget* Place(QWidget* parent, const char* name, const QString& text, QRect geometry) {
  auto* widget = new Widget(text, parent);
  widget->setObjectName(QString::fromUtf8(name));
  widget->setGeometry(geometry);
  widget->setFont(ControlFont(false));
  return widget;
}

}  // namespace

void StatusLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  QLabel::mouseDoubleClickEvent(event);
  if (onDoubleClick) onDoubleClick();
}

MainWindow::MainWindow(Text programFolder, std::unique_ptr<Registry> registry, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      programFolder_(std::move(programFolder)),
      registry_(std::move(registry)) {
  InitResources();
  setWindowTitle(QStringLiteral("Vestrel - @Harnoq"));
  setWindowIcon(QIcon(QStringLiteral(":/vestrel/icon.png")));
  setFixedSize(kClientSize);
  BuildControls();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect full = screen->geometry();
    move(full.x() + (full.width() - kOuterSize.width()) / 2,
         full.y() + (full.height() - kOuterSize.height()) / 2);
  }
}

MainWindow::~MainWindow() {
  job_.StopAndWait();
  // Shut-down: the boxes get their own handling of drops back before anything goes.
  materialFolderDrop_.Destroy();
  dictionaryDrop_.Destroy();
}

void MainWindow::BuildControls() {
  auto* banner = new QLabel(this);
  banner->setObjectName(QStringLiteral("图片框1"));
  banner->setGeometry(2, 2, 420, 60);
  banner->setPixmap(Banner());

  Place<QLabel>(this, "标签1", QStringLiteral("材质文件夹:"), {62, 77, 136, 32});
  auto* materialFolder = Place<QLineEdit>(this, "编辑框_ksmp", {}, {62, 109, 300, 32});
  Place<QLabel>(this, "标签2", QStringLiteral("字典文件:"), {62, 141, 136, 32});
  auto* invert =
      Place<QCheckBox>(this, "选择框_Invert", QStringLiteral("反向"), {307, 145, 55, 24});
  auto* dictionary = Place<QLineEdit>(this, "编辑框_Dic", {}, {62, 173, 300, 32});
  auto* folders =
      Place<QCheckBox>(this, "选择框2", QStringLiteral("文件夹名称"), {62, 213, 120, 24});
  auto* bilingualFolders =
      Place<QCheckBox>(this, "选择框_DoubleL2", QStringLiteral("双语"), {242, 214, 100, 23});
  auto* materials =
      Place<QCheckBox>(this, "选择框1", QStringLiteral("材质名称"), {62, 245, 120, 24});
  auto* bilingualMaterials =
      Place<QCheckBox>(this, "选择框_DoubleL1", QStringLiteral("双语"), {242, 245, 100, 24});
  auto* fromName =
      Place<QRadioButton>(this, "单选框1", QStringLiteral("从文件名"), {62, 278, 120, 24});
  auto* fromHeader =
      Place<QRadioButton>(this, "单选框2", QStringLiteral("从属性"), {242, 278, 120, 24});
  auto* group = new QButtonGroup(this);
  group->addButton(fromName);
  group->addButton(fromHeader);
  auto* status = Place<StatusLabel>(this, "caption_msg", {}, {63, 306, 298, 32});
  auto* progress = new QProgressBar(this);
  progress->setObjectName(QStringLiteral("进度条1"));
  progress->setGeometry(62, 340, 300, 16);
  progress->setRange(0, 100);
  progress->setTextVisible(false);
  auto* start = Place<QPushButton>(this, "按钮_Start", QStringLiteral("开始"), {62, 370, 300, 48});
  start->setFont(ControlFont(true));

  controls_.Bind(Control::图片框1, banner);
  controls_.Bind(Control::编辑框_ksmp, materialFolder);
  controls_.Bind(Control::选择框_Invert, invert);
  controls_.Bind(Control::编辑框_Dic, dictionary);
  controls_.Bind(Control::选择框2, folders);
  controls_.Bind(Control::选择框_DoubleL2, bilingualFolders);
  controls_.Bind(Control::选择框1, materials);
  controls_.Bind(Control::选择框_DoubleL1, bilingualMaterials);
  controls_.Bind(Control::单选框1, fromName);
  controls_.Bind(Control::单选框2, fromHeader);
  controls_.Bind(Control::caption_msg, status);
  controls_.Bind(Control::进度条1, progress);
  controls_.Bind(Control::按钮_Start, start);

  connect(start, &QPushButton::clicked, this, &MainWindow::OnStartClicked);
  status->onDoubleClick = [this] { OnStatusDoubleClicked(); };
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (created_) return;
  created_ = true;
  // Where the platform tells its frame, the outer size is what counts.
  const QSize frame = frameGeometry().size() - geometry().size();
  if (!frame.isEmpty()) setFixedSize(kOuterSize - frame);
  OnMainWindowCreated();
}

void MainWindow::OnMainWindowCreated() {
  vestrel::OnMainWindowCreated(app_, programFolder_, *registry_);
  materialFolderDrop_.Register(findChild<QLineEdit*>(QStringLiteral("编辑框_ksmp")),
                               [this](const QString& path) { OnMaterialFolderDropped(path); });
  dictionaryDrop_.Register(findChild<QLineEdit*>(QStringLiteral("编辑框_Dic")),
                           [this](const QString& path) { OnDictionaryDropped(path); });
}

void MainWindow::OnMaterialFolderDropped(const QString& path) {
  if (auto gbk = ToGbkExact(path)) {
    vestrel::OnMaterialFolderDropped(controls_, *gbk);
  } else {
    controls_.SetUnholdableText(Control::编辑框_ksmp, path);  // Start will refuse it
  }
}

void MainWindow::OnDictionaryDropped(const QString& path) {
  if (auto gbk = ToGbkExact(path)) vestrel::OnDictionaryDropped(controls_, *gbk);
}

void MainWindow::OnStartClicked() {
  job_.Start(
      app_,
      controls_.HoldsUnholdableText(Control::编辑框_ksmp) ||
          controls_.HoldsUnholdableText(Control::编辑框_Dic),
      [this](std::function<void()> work) { controls_.Apply(std::move(work)); },
      [this] { OnJobFinished(); });
}

void MainWindow::OnJobFinished() {
  job_.Finish(controls_);
  if (closeRequested_) close();
}

void MainWindow::OnStatusDoubleClicked() {
  SaveFailureLog(app_.failureLog, programFolder_, controls_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!job_.Running()) {
    event->accept();
    return;
  }
  // Never mid-file: the job stops after the item at hand, then the window closes.
  closeRequested_ = true;
  job_.RequestStop();
  controls_.SetStatus(kStatusStopping);
  event->ignore();
}

}  // namespace vestrel
