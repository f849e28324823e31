#include "app/screens.h"
#include "core/currentuser.h"
#include "shell/loginform.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"

#include "support/testdatabase.h"
#include "support/users.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace shell;
using namespace core;
using shelltest::addUser;

namespace {

class Login : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        adminId = addUser(db(), "admin", "secret", "Admin");
        window = std::make_unique<MainWindow>();
        app::registerScreens(*window);
        window->lockMenu();
        window->show();
        QApplication::setActiveWindow(window.get());
        form = static_cast<LoginForm *>(window->showLogin());
    }
    void TearDown() override
    {
        window.reset();
        setCurrentUser({});
        ScreenTest::TearDown();
    }

    void enter(const QString &user, const QString &password)
    {
        form->txtUsername->setText(user);
        form->txtPassword->setText(password);
        form->btnLogin->click();
    }
    bool loginOpen() const { return window->workArea()->findChild<LoginForm *>() && form && form->isVisible(); }
    QString storedPassword(qint64 id)
    {
        return db().query("SELECT Password FROM [User] WHERE ID = " + data::sqlNumber(id)).text("Password");
    }

    qint64 adminId = 0;
    std::unique_ptr<MainWindow> window;
    QPointer<LoginForm> form;
    MessageRecorder messages;
};

} // namespace

TEST_F(Login, WindowReadsAsSpecifiedAndSitsCentred)
{
    EXPECT_EQ(form->objectName(), "frmLogin");
    EXPECT_EQ(form->windowTitle(), "Login");
    EXPECT_EQ(form->lblUsername->text(), "Username");
    EXPECT_EQ(form->Label1->text(), "Password");
    EXPECT_EQ(form->btnLogin->text(), "Login");
    EXPECT_EQ(form->btnCancel->text(), "Close");
    EXPECT_EQ(form->txtPassword->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(form->txtUsername->hasFocus());
    QWidget *frame = form->parentWidget();
    const QSize area = window->workArea()->viewport()->size();
    EXPECT_NEAR(frame->x() + frame->width() / 2, area.width() / 2, 1);
    EXPECT_NEAR(frame->y() + frame->height() / 2, area.height() / 2, 1);
}

TEST_F(Login, EmptyFieldsWarnAndTakeTheFocus)
{
    enter("", "secret");
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, "Invalid Username");
    EXPECT_EQ(messages.last().text, "You must enter a username");
    EXPECT_EQ(messages.last().icon, MessageIcon::Warning);
    EXPECT_TRUE(form->txtUsername->hasFocus());

    enter("admin", "");
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().title, "Invalid Password");
    EXPECT_EQ(messages.last().text, "You must enter a password");
    EXPECT_TRUE(form->txtPassword->hasFocus());
    EXPECT_TRUE(loginOpen());
    EXPECT_FALSE(window->menuAction("Orders")->isEnabled());
}

TEST_F(Login, SurroundingSpacesAreTrimmedAndTheMenuUnlocks)
{
    QSignalSpy done(form.data(), &LoginForm::loggedIn);
    enter(" admin ", " secret ");
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(done.count(), 1);
    EXPECT_EQ(currentUser().userName, "admin");
    EXPECT_EQ(currentUser().type, "Admin");
    EXPECT_EQ(currentUser().id, adminId);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull()) << "the login window closes";
    EXPECT_TRUE(window->workArea()->subWindowList().isEmpty());
    for (const char *item : {"Orders", "OrdNav", "AR", "CustomerStatementsReport", "About", "mnuCompanySetup"})
        EXPECT_TRUE(window->menuAction(item)->isEnabled()) << item;
}

TEST_F(Login, RefusedLoginsGiveOneWarningAndClearBothFields)
{
    addUser(db(), "gone", "pw", "User", 1);
    addUser(db(), "limbo", "pw", "User", QVariant());
    const struct {
        const char *user, *password;
    } refused[] = {
        {"admin", "wrong"},     {"admin", "SECRET"},
        {"nobody", "secret"},   {"gone", "pw"},
        {"limbo", "pw"},        {"   ", "pw"},
        {"admin' --", "x"},     {"x' OR '1'='1", "x' OR '1'='1"},
        {"admin", "' OR ''='"}, {"admin'; DELETE FROM [User]; --", "x"},
    };
    for (const auto &r : refused) {
        messages.clear();
        enter(r.user, r.password);
        ASSERT_EQ(messages.count(), 1) << r.user;
        EXPECT_EQ(messages.last().title, "Invalid Username/Password");
        EXPECT_EQ(messages.last().text, "Your username and/or password is invalid.");
        EXPECT_TRUE(form->txtUsername->text().isEmpty());
        EXPECT_TRUE(form->txtPassword->text().isEmpty());
        EXPECT_TRUE(form->txtUsername->hasFocus());
        EXPECT_TRUE(loginOpen());
    }
    EXPECT_EQ(currentUser().id, 0);
    EXPECT_FALSE(window->menuAction("Orders")->isEnabled());
    EXPECT_EQ(db().query("SELECT COUNT(*) AS N FROM [User]").integer("N"), 3);
}

TEST_F(Login, UserNameIsComparedWithoutRegardToCase)
{
    enter("ADMIN", "secret");
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(currentUser().userName, "admin");
}

TEST_F(Login, EnterPressesLoginFromEitherField)
{
    form->txtUsername->setText("admin");
    form->txtPassword->setText("wrong");
    QTest::keyClick(form->txtUsername, Qt::Key_Return);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, "Invalid Username/Password");

    form->txtUsername->setText("admin");
    form->txtPassword->setText("secret");
    QTest::keyClick(form->txtPassword, Qt::Key_Enter);
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(currentUser().userName, "admin");
}

TEST_F(Login, APlainTextPasswordIsReplacedByItsHashAtLogin)
{
    const qint64 id = addUser(db(), "dana", "dana", "User", 0, false);
    enter("dana", "dana");
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(currentUser().id, id);
    const QString stored = storedPassword(id);
    EXPECT_TRUE(data::isPasswordHash(stored)) << stored.toStdString();
    EXPECT_TRUE(authenticateUser(db(), "dana", "dana").has_value());
    EXPECT_FALSE(authenticateUser(db(), "dana", "wrong").has_value());
    // A hash typed as the password is not the password.
    EXPECT_FALSE(authenticateUser(db(), "dana", stored).has_value());
}

TEST_F(Login, AWrongPasswordLeavesAPlainTextRowAlone)
{
    const qint64 id = addUser(db(), "dana", "dana", "User", 0, false);
    EXPECT_FALSE(authenticateUser(db(), "dana", "nope").has_value());
    EXPECT_EQ(storedPassword(id), "dana");
}

TEST_F(Login, CloseEndsTheProgramButTheFrameOnlyClosesTheWindow)
{
    int exits = 0;
    QObject::connect(window.get(), &MainWindow::exitRequested, [&] { ++exits; });
    form->btnCancel->click();
    EXPECT_EQ(exits, 1);

    form->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(window->menuAction("Exit")->isEnabled());
    EXPECT_FALSE(window->menuAction("Orders")->isEnabled());
    EXPECT_FALSE(window->menuAction("About")->isEnabled());
}
