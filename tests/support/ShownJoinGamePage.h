#pragma once

#include "FakeServices.h"

#include "launch/GameDirectory.h"
#include "pages/JoinGamePage.h"

#include <memory>

// The Join Game page on its own, with fake services, its columns as start-up adds them, shown.
struct ShownJoinGamePage {
    explicit ShownJoinGamePage(const ListServerHosts& hosts = FakeServices().listServers)
    {
        fakes.listServers = hosts;
        page = std::make_unique<JoinGamePage>(fakes.programs, fakes.messages, fakes.listServers,
                                              fakes.sockets, gameDir);
        for (const char* header : {"Server Name", "Type", "Version", "Players", "IP Adr"})
            page->addServerColumn(QString::fromLatin1(header), 900);
        page->resize(360, 220);
        page->show();
    }

    FakeServices fakes;
    GameDir gameDir;
    std::unique_ptr<JoinGamePage> page;
};
