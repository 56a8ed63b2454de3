// The database loader: the input is Accounts.dat. Whatever the file holds, loading reports its
// failures instead of letting them escape; what was loaded whole survives a save and a reload,
// and what was not is never saved.
#include <algorithm>

#include "ClsBD.h"
#include "DatabaseFile.h"
#include "FuzzSupport.h"
#include "RunError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Workspace& workspace = Workspace::instance();
    workspace.nextInput();
    workspace.write(QStringLiteral("Accounts.dat"), data, size);

    std::vector<LoadedAccount> loaded;
    {
        FuzzApp app(workspace);
        try {
            app.sv.bd.cargarbdallv();
        } catch (const EndProgram&) {
            // A newer database is refused without being touched.
            FUZZ_CHECK(workspace.read(QStringLiteral("Accounts.dat")) ==
                       QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
            return 0;
        }
        loaded = loadedAccounts(app);
        const std::size_t reports = app.dialogs.reports().size();
        const bool whole = app.sv.database.isLoaded();
        const std::optional<QByteArray> before = workspace.read(QStringLiteral("Accounts.dat"));
        app.sv.bd.guardarcambios();
        if (!whole) {
            // A list the file did not give whole is never written over it: the save is refused.
            FUZZ_CHECK(app.dialogs.reports().size() == reports + 1);
            FUZZ_CHECK(workspace.read(QStringLiteral("Accounts.dat")) == before);
            return 0;
        }
        FUZZ_CHECK(app.dialogs.reports().size() == reports);
    }

    // The saved file is a current one that loads in full, every account with its comment. Each
    // load puts the records in reverse file order, so the second load shows them reversed.
    FuzzApp again(workspace);
    again.sv.bd.cargarbdallv();
    FUZZ_CHECK(again.dialogs.shown.empty());
    std::vector<LoadedAccount> reloaded = loadedAccounts(again);
    std::reverse(reloaded.begin(), reloaded.end());
    FUZZ_CHECK(reloaded == loaded);
    return 0;
}
