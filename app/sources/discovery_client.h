// How the program's camera discovery starts. By default it broadcasts on the
// machine's network cards. Two environment variables keep it on this
// machine: PYRAVUE_DISCOVERY_ADDRESSES, a list of loopback addresses
// (separated by commas or spaces) that are asked by unicast instead, and
// PYRAVUE_NO_DISCOVERY_BROADCAST=1, which sends nothing at all.
#pragma once

#include "sockmesh.h"

#include <QByteArray>
#include <QStringList>

struct DiscoveryPlan {
    bool broadcast = true;
    // Asked by unicast when not empty.
    QStringList addresses;
    // Addresses of the list that are not loopback addresses: never asked.
    QStringList refused;
};

// The plan for the two variables' values (empty: not set). A list that
// names only refused addresses asks nobody and does not broadcast either.
DiscoveryPlan discovery_plan_from(const QByteArray& no_broadcast, const QByteArray& addresses);

// Starts a sockmesh discovery client as the environment plans it. True with
// a null handle when the plan sends nothing; false when the start fails.
bool start_discovery_client(void** handle, DiscoveryCallback fn, void* user);
