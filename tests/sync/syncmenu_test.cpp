#include "app/screens.h"
#include "core/currentuser.h"
#include "core/cursor.h"
#include "data/schema.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "support/testdatabase.h"

#include <QAction>

namespace {

using shell::MessageAnswer;

// The two File menu items on a workstation linked to a central file.
class SyncMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString file = m_temp.directory() + QStringLiteral("/central.db");
        data::OpenOptions create;
        create.create = true;
        m_central = data::Database::open(QStringLiteral("Driver=SQLite;Database=") + file, create);
        data::createSchema(*m_central);
        m_central->execute(
            QStringLiteral("INSERT INTO Style (ID, Customer, Name, Type) VALUES (8, 'Amberline', '1200', 'SOFA')"));
        data::setSharedDatabase(
            data::Database::open(m_temp.connectionString() + QStringLiteral(";LinkedServer=") + file));
        app::registerScreens(m_window);
    }
    void TearDown() override
    {
        core::setCurrentUser({});
        data::setSharedDatabase(nullptr);
    }
    void logInAs(const QString &type)
    {
        core::setCurrentUser({1, type, QStringLiteral("someone")});
        m_window.unlockMenu();
    }
    int styles() { return data::sharedDatabase().query(QStringLiteral("SELECT * FROM Style")).recordCount(); }

    testsupport::TempDatabase m_temp;
    std::unique_ptr<data::Database> m_central;
    shell::MainWindow m_window;
    shell::MessageRecorder m_messages;
};

TEST_F(SyncMenu, OnlyAdministratorsMayRunTheBatchOperations)
{
    logInAs(QStringLiteral("User"));
    for (const char *item : {"mnuDownloadCatalogue", "mnuExchangeOrders"})
        EXPECT_FALSE(m_window.menuAction(QLatin1String(item))->isEnabled()) << item;
    EXPECT_TRUE(m_window.menuAction(QStringLiteral("mnuCompanySetup"))->isEnabled());
    m_window.choose(QStringLiteral("mnuDownloadCatalogue"));
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Invalid Permission"));
    EXPECT_EQ(styles(), 0);

    logInAs(QStringLiteral("Admin"));
    EXPECT_EQ(m_window.menuAction(QStringLiteral("mnuDownloadCatalogue"))->text().remove(QLatin1Char('&')),
              QStringLiteral("Download Catalogue..."));
    EXPECT_TRUE(m_window.menuAction(QStringLiteral("mnuExchangeOrders"))->isEnabled());
}

TEST_F(SyncMenu, TheDownloadAsksFirstAndSaysWhenItIsDone)
{
    logInAs(QStringLiteral("Admin"));
    m_messages.answer(MessageAnswer::No);
    m_window.choose(QStringLiteral("mnuDownloadCatalogue"));
    ASSERT_EQ(m_messages.count(), 1);
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Batch Confirmation"));
    EXPECT_EQ(m_messages.last().icon, shell::MessageIcon::None);
    EXPECT_EQ(m_messages.last().buttons, shell::MessageButtons::YesNo);
    EXPECT_EQ(styles(), 0);

    m_messages.clear();
    const int cursors = core::busyCursorCount();
    m_window.choose(QStringLiteral("mnuDownloadCatalogue"));
    ASSERT_EQ(m_messages.count(), 2);
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Batch Complete"));
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("The Batch processed completed in ")));
    EXPECT_EQ(styles(), 1);
    EXPECT_GT(core::busyCursorCount(), cursors);
    EXPECT_EQ(core::busyCursorDepth(), 0);

    // A failure is shown, not swallowed; the progress dialog goes with it.
    m_messages.clear();
    m_central->executeNative(QStringLiteral("DROP TABLE Bun"));
    m_window.choose(QStringLiteral("mnuDownloadCatalogue"));
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Database Error"));
    EXPECT_TRUE(m_messages.last().text.contains(QLatin1String("table Bun"))) << m_messages.last().text.toStdString();
    EXPECT_EQ(m_window.findChild<QWidget *>(QStringLiteral("dlgBatchProgress")), nullptr);
}

} // namespace
