#pragma once
// The demo kennel "z Lipové aleje": thirteen dogs over three generations
// with their litters, titles, vet visits, shows, a mating, breeding
// approvals, photos, addresses and a pedigree, shipped as one CSV file per
// table (main_card.csv, vrhy.csv, ...).

#include <QString>

// Loads the demo kennel's files of `demoFolder` into the database of
// `dataFolder` through the store, all tables in one transaction: a refused
// row leaves the data as they were. Answers the number of rows written;
// throws platform::StoreError (the file, the row and the reason; the data
// folder's lock held by another process) when nothing could be written.
qint64 LoadDemoKennel(const QString& dataFolder, const QString& demoFolder);
