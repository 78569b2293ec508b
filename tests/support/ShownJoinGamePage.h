#pragma once

#include "FakeServices.h"

#include "browser/ServerColumns.h"
#include "browser/ServerRecords.h"
#include "launch/GameDirectory.h"
#include "pages/JoinGamePage.h"

#include <memory>

// The Join Game page on its own, with fake services, its columns as start-up adds them, shown.
struct ShownJoinGamePage {
    explicit ShownJoinGamePage(const ListServerHosts& hosts = FakeServices().listServers,
                               ListQuery::Timings timings = {})
    {
        fakes.listServers = hosts;
        records = std::make_unique<ServerRecords>(fakes.records);
        page = std::make_unique<JoinGamePage>(fakes.programs, fakes.messages, fakes.clipboard,
                                              *records, fakes.listServers, fakes.sockets, gameDir,
                                              nullptr, timings);
        for (const servercolumns::Caption& column : servercolumns::All)
            page->addServerColumn(QString::fromLatin1(column.caption), 900);
        page->resize(360, 220);
        page->show();
    }

    FakeServices fakes;
    GameDir gameDir;
    std::unique_ptr<ServerRecords> records;
    std::unique_ptr<JoinGamePage> page;
};
