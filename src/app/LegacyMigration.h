#pragma once

class PreferenceStore;

// Brevimar was once called Ormanthe. The first start after the upgrade carries over the settings
// Brevimar does not have yet and, when Brevimar has no data folder, the earlier history; later
// starts do nothing. The earlier files are only ever read.
void runLegacyMigration(PreferenceStore& preferences);
