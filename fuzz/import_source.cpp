// The import source reader: the input is the account data file chosen for an import into a
// database of two accounts. The chosen file is never changed, the database keeps its accounts
// whatever the source holds, and the merged database loads in full.
#include <algorithm>

#include "ClsBD.h"
#include "FileTexts.h"
#include "FuzzSupport.h"
#include "RunError.h"
#include "forms/Frm_Main.h"

namespace {

const QByteArray kDatabase =
    DatabaseText().account("bravo", "c-b", "s-b", "\r\n").account("Alpha", "c-a", "s-a", "about alpha\r\nline two\r\n");

bool holds(const std::vector<LoadedAccount>& accounts, const LoadedAccount& account) {
    return std::find(accounts.begin(), accounts.end(), account) != accounts.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Workspace& workspace = Workspace::instance();
    workspace.nextInput();
    const QByteArray source(reinterpret_cast<const char*>(data), qsizetype(size));
    workspace.write(QStringLiteral("Accounts.dat"), kDatabase);
    workspace.write(QStringLiteral("source.ADF"), source);

    {
        FuzzApp app(workspace);
        app.dialogs.chosen = workspace.path(QStringLiteral("source.ADF"));
        app.sv.bd.cargarbdallv();
        FUZZ_CHECK(app.dialogs.shown.empty() && app.mv.Accounts.count() == 2);
        try {
            app.sv.bd.importar();
        } catch (const EndProgram&) {
            // A newer source is refused and the database is left alone.
            FUZZ_CHECK(workspace.read(QStringLiteral("Accounts.dat")) == kDatabase);
        }
        FUZZ_CHECK(workspace.read(QStringLiteral("source.ADF")) == source);
        // Made once the merge is written, and then the database before it.
        const std::optional<QByteArray> bak = workspace.read(QStringLiteral("Accounts.dat.bak"));
        FUZZ_CHECK(!bak || *bak == kDatabase);
    }

    FuzzApp after(workspace);
    after.sv.bd.cargarbdallv();
    FUZZ_CHECK(after.dialogs.shown.empty());
    const std::vector<LoadedAccount> accounts = loadedAccounts(after);
    FUZZ_CHECK(holds(accounts, {"Alpha", "c-a", "s-a", "about alpha\r\nline two"}));
    FUZZ_CHECK(holds(accounts, {"bravo", "c-b", "s-b", ""}));
    return 0;
}
