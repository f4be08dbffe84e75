// The window under Qt's offscreen platform: controls, Start, drops, the log and closing.
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QUrl>
#include <map>

// moc cannot read the control names of the core; it needs none of these headers.
#ifndef Q_MOC_RUN
#include "app/status_texts.h"
#include "platform/codepage.h"
#include "ui/jpeg_image.h"
#include "ui/main_window.h"
#endif

namespace vestrel {
namespace {

class FakeRegistry final : public Registry {
 public:
  explicit FakeRegistry(int* reads) : reads_(reads) {}
  [[nodiscard]] bool HasValue(const Text&, const Text&) const override {
    ++*reads_;
    return false;
  }
  [[nodiscard]] Text ReadText(const Text&, const Text&) const override { return {}; }

 private:
  int* reads_;
};

void WriteFile(const QString& path, const QByteArray& content) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(content);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Gbk(const char* utf8) {
  return QByteArray::fromStdString(Utf8ToGbk(utf8).str());
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  int registryReads_ = 0;

  QString Path(const QString& relative) const { return dir_.filePath(relative); }

  std::unique_ptr<MainWindow> Open() {
    auto window = std::make_unique<MainWindow>(*Utf8ToGbkExact(Path("program").toStdString()),
                                               std::make_unique<FakeRegistry>(&registryReads_));
    window->show();
    return window;
  }
  template <typename Widget>
  static Widget* Find(MainWindow& window, const char* name) {
    return window.findChild<Widget*>(QString::fromUtf8(name));
  }
  static void Type(MainWindow& window, const char* box, const QString& text) {
    Find<QLineEdit>(window, box)->setText(text);
  }
  static QString Status(MainWindow& window) {
    return QString::fromStdU16String(GbkToUtf16(window.controls().Status()));
  }
  static void Drop(MainWindow& window, const char* box, const QStringList& paths) {
    auto* widget = Find<QLineEdit>(window, box);
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
  }
  void WriteLibrary() {
    WriteFile(Path("dic.ini"), Gbk("[dic]\r\nGold=金\r\nMetal=金属\r\n"));
    WriteFile(Path("lib/Metal/Gold.mtl"), "#define material \"Gold\" {}");
    WriteFile(Path("lib/Metal/Copper.mtl"), "#define material \"Copper\" {}");
  }

 private slots:
  void initTestCase() {
    // Qt spreads some image work over pooled threads whose hand-overs ThreadSanitizer
    // cannot see in Debian's uninstrumented Qt; one pooled thread keeps them apart. Our
    // own code never runs on a pooled thread.
    QThreadPool::globalInstance()->setMaxThreadCount(1);
  }

  void init() {
    QVERIFY(dir_.isValid());
    QDir(dir_.path()).removeRecursively();
    QDir().mkpath(Path("program"));
    registryReads_ = 0;
  }

  void startsLikeTheTable() {
    auto window = Open();
    QCOMPARE(window->windowTitle(), QStringLiteral("Vestrel - @Harnoq"));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(Find<QCheckBox>(*window, "选择框1")->isChecked());
    QVERIFY(Find<QCheckBox>(*window, "选择框2")->isChecked());
    QVERIFY(Find<QRadioButton>(*window, "单选框1")->isChecked());
    QVERIFY(!Find<QRadioButton>(*window, "单选框2")->isChecked());
    QVERIFY(!Find<QCheckBox>(*window, "选择框_Invert")->isChecked());
    QVERIFY(!Find<QCheckBox>(*window, "选择框_DoubleL1")->isChecked());
    QVERIFY(!Find<QCheckBox>(*window, "选择框_DoubleL2")->isChecked());
    QVERIFY(Find<QLineEdit>(*window, "编辑框_ksmp")->text().isEmpty());
    QVERIFY(Find<QLineEdit>(*window, "编辑框_Dic")->text().isEmpty());
    QCOMPARE(Find<QProgressBar>(*window, "进度条1")->value(), 0);
    QCOMPARE(Find<QPushButton>(*window, "按钮_Start")->geometry(), QRect(62, 370, 300, 48));
    QVERIFY(Find<QPushButton>(*window, "按钮_Start")->font().bold());
    QCOMPARE(Find<QLabel>(*window, "图片框1")->pixmap().size(), QSize(420, 60));
    QCOMPARE(registryReads_, 9);  // no dic.ini: every version was looked for
  }

  void bannerDecodes() {
    QFile file(QStringLiteral(":/vestrel/banner.jpg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(DecodeJpeg({bytes.constData(), static_cast<std::size_t>(bytes.size())}).size(),
             QSize(420, 60));
    QVERIFY(DecodeJpeg("not a picture").isNull());
    (void)DecodeJpeg({bytes.constData(), 200});  // a cut picture must not crash
  }

  void badPathsShowUnknownError_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("dictionary");
    QTest::newRow("empty folder") << "empty"
                                  << "dic.ini";
    QTest::newRow("file as folder") << "dic.ini"
                                    << "dic.ini";
    QTest::newRow("missing folder") << "missing"
                                    << "dic.ini";
    QTest::newRow("upper-case INI") << "lib"
                                    << "upper.INI";
    QTest::newRow("no extension") << "lib"
                                  << "noext";
    QTest::newRow("missing dictionary") << "lib"
                                        << "missing.ini";
    QTest::newRow("folder GBK cannot hold") << "lib😀"
                                            << "dic.ini";
  }
  void badPathsShowUnknownError() {
    QFETCH(QString, folder);
    QFETCH(QString, dictionary);
    WriteLibrary();
    QDir().mkpath(Path("empty"));
    QDir().mkpath(Path("lib😀"));
    WriteFile(Path("lib😀/a.mtl"), "x");
    WriteFile(Path("upper.INI"), "");
    WriteFile(Path("noext"), "");
    const QByteArray before = ReadFile(Path("dic.ini"));
    auto window = Open();
    Type(*window, "编辑框_ksmp", Path(folder));
    Type(*window, "编辑框_Dic", Path(dictionary));
    QTest::mouseClick(Find<QPushButton>(*window, "按钮_Start"), Qt::LeftButton);
    QCOMPARE(Status(*window), QStringLiteral("未知错误!"));
    QVERIFY(!window->JobRunning());
    QCOMPARE(ReadFile(Path("dic.ini")), before);
  }

  void aWholeJob() {
    WriteLibrary();
    auto window = Open();
    Type(*window, "编辑框_ksmp", Path("lib"));
    Type(*window, "编辑框_Dic", Path("dic.ini"));
    Find<QRadioButton>(*window, "单选框2")->click();
    QTest::mouseClick(Find<QPushButton>(*window, "按钮_Start"), Qt::LeftButton);
    for (Control control : kJobControls) QVERIFY(window->controls().IsDisabled(control));
    QVERIFY(!Find<QPushButton>(*window, "按钮_Start")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!window->JobRunning(), 60000);
    QTRY_COMPARE(Status(*window), QStringLiteral("完成！"));
    for (const char* name :
         {"选择框1", "选择框2", "选择框_DoubleL1", "选择框_DoubleL2", "选择框_Invert",
          "编辑框_ksmp", "编辑框_Dic", "按钮_Start", "单选框1", "单选框2"}) {
      QVERIFY2(window->findChild<QWidget*>(QString::fromUtf8(name))->isEnabled(), name);
    }
    QCOMPARE(ReadFile(Path("lib/金属/Gold.mtl")), QByteArray("#define material \"金\" {}"));
    QCOMPARE(Find<QProgressBar>(*window, "进度条1")->value(), 100);
    QVERIFY(ReadFile(Path("dic.ini")).endsWith("From=1\r\n"));
    // Copper lacks a translation; forwards, that is no failure.
    QVERIFY(window->app().failureLog.empty());
  }

  void doubleClickSavesTheLog() {
    auto window = Open();
    window->controls().SetStatus("x");
    QTest::mouseDClick(Find<QLabel>(*window, "caption_msg"), Qt::LeftButton);
    QVERIFY(!QFile::exists(Path("program/log.txt")));
    QCOMPARE(Status(*window), QStringLiteral("x"));
    AppendFailure(window->app().failureLog, Utf8ToGbk("not find dic \"金\""));
    QTest::mouseDClick(Find<QLabel>(*window, "caption_msg"), Qt::LeftButton);
    QCOMPARE(ReadFile(Path("program/log.txt")), Gbk("not find dic \"金\"\r\n"));
    QCOMPARE(Status(*window), QStringLiteral("保存成功！"));
  }

  void dropsOnTheBoxes() {
    WriteFile(Path("one.ini"), "[configs]\r\nMaterialFolder=/first\r\nFrom=1\r\n");
    WriteFile(Path("two.ini"), "[configs]\r\nMaterialFolder=/second\r\n");
    QDir().mkpath(Path("folder"));
    auto window = Open();
    Drop(*window, "编辑框_ksmp", {Path("folder")});
    QCOMPARE(Find<QLineEdit>(*window, "编辑框_ksmp")->text(), Path("folder"));
    Drop(*window, "编辑框_ksmp", {Path("a"), Path("b"), Path("c")});
    QCOMPARE(Find<QLineEdit>(*window, "编辑框_ksmp")->text(), Path("c"));

    Drop(*window, "编辑框_Dic", {Path("one.ini")});
    QCOMPARE(Find<QLineEdit>(*window, "编辑框_Dic")->text(), Path("one.ini"));
    QCOMPARE(Find<QLineEdit>(*window, "编辑框_ksmp")->text(), QStringLiteral("/first"));
    QVERIFY(Find<QRadioButton>(*window, "单选框2")->isChecked());
    Drop(*window, "编辑框_Dic", {Path("two.ini"), Path("missing.ini"), Path("one😀.ini")});
    QCOMPARE(Find<QLineEdit>(*window, "编辑框_Dic")->text(), Path("two.ini"));
    QCOMPARE(Find<QLineEdit>(*window, "编辑框_ksmp")->text(), QStringLiteral("/second"));
    QVERIFY(Find<QRadioButton>(*window, "单选框1")->isChecked());
    // A folder counts as existing: a dictionary without settings.
    Drop(*window, "编辑框_Dic", {Path("folder")});
    QCOMPARE(Find<QLineEdit>(*window, "编辑框_Dic")->text(), Path("folder"));
    QVERIFY(Find<QLineEdit>(*window, "编辑框_ksmp")->text().isEmpty());
    // A path far beyond 999 bytes arrives whole.
    const QString deep = Path(QString(1200, 'd'));
    Drop(*window, "编辑框_ksmp", {deep});
    QCOMPARE(Find<QLineEdit>(*window, "编辑框_ksmp")->text(), deep);
  }

  void dictionaryBesideTheProgram() {
    WriteFile(Path("program/dic.ini"),
              "[configs]\r\nMaterialFolder=/stored\r\nFolderNameDoubleLang=true\r\n");
    auto window = Open();
    QCOMPARE(Find<QLineEdit>(*window, "编辑框_Dic")->text(), Path("program/dic.ini"));
    QCOMPARE(Find<QLineEdit>(*window, "编辑框_ksmp")->text(), QStringLiteral("/stored"));
    QVERIFY(Find<QCheckBox>(*window, "选择框_DoubleL2")->isChecked());
    QCOMPARE(registryReads_, 0);
  }

  void closingDuringAJobWaitsForTheItemAtHand() {
    const QByteArray old = "#define material \"Gold\" {" + QByteArray(30000, 'p') + "}";
    const QByteArray renamed =
        "#define material \"" + QByteArray("金") + "\" {" + QByteArray(30000, 'p') + "}";
    WriteFile(Path("dic.ini"), Gbk("[dic]\r\nGold=金\r\n"));
    for (int i = 0; i < 3000; ++i) WriteFile(Path(QStringLiteral("big/%1/Gold.mtl").arg(i)), old);
    auto window = Open();
    Type(*window, "编辑框_ksmp", Path("big"));
    Type(*window, "编辑框_Dic", Path("dic.ini"));
    Find<QRadioButton>(*window, "单选框2")->click();
    Find<QCheckBox>(*window, "选择框2")->setChecked(false);
    QTest::mouseClick(Find<QPushButton>(*window, "按钮_Start"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(window->controls().Progress() > 0, 60000);
    window->close();
    QVERIFY(window->isVisible() || !window->JobRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 60000);
    QVERIFY(!window->JobRunning());
    int changed = 0;
    for (int i = 0; i < 3000; ++i) {
      const QByteArray content = ReadFile(Path(QStringLiteral("big/%1/Gold.mtl").arg(i)));
      QVERIFY(content == old || content == renamed);
      changed += content == renamed ? 1 : 0;
    }
    QVERIFY(changed < 3000);
  }
};

}  // namespace vestrel

QTEST_MAIN(vestrel::MainWindowTest)
#include "main_window_test.moc"
