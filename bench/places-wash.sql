-- The statements "Firefox History" runs on the fixture's layout (engine/FirefoxHistory.cpp),
-- for the sqlite3 shell.
PRAGMA quick_check;
SELECT count(*) FROM moz_historyvisits;
SELECT count(*) FROM moz_places WHERE NOT (foreign_count > 0 OR id IN (SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL)
    OR id IN (SELECT place_id FROM moz_keywords WHERE place_id IS NOT NULL));
SELECT count(*) FROM moz_places WHERE (foreign_count > 0 OR id IN (SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL)
    OR id IN (SELECT place_id FROM moz_keywords WHERE place_id IS NOT NULL));
PRAGMA secure_delete=ON;
BEGIN IMMEDIATE;
DELETE FROM moz_historyvisits;
DELETE FROM moz_historyvisits_extra;
DELETE FROM moz_inputhistory;
DELETE FROM moz_places_metadata;
DELETE FROM moz_places_metadata_search_queries;
DELETE FROM moz_newtab_shortcuts_interaction;
DELETE FROM moz_places WHERE NOT (foreign_count > 0 OR id IN (SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL)
    OR id IN (SELECT place_id FROM moz_keywords WHERE place_id IS NOT NULL));
UPDATE moz_places SET visit_count = 0, last_visit_date = NULL, typed = 0, frecency = -1, recalc_frecency = 1,
    alt_frecency = NULL, recalc_alt_frecency = 1;
DELETE FROM moz_annos WHERE place_id NOT IN (SELECT id FROM moz_places);
DELETE FROM moz_places_extra WHERE place_id NOT IN (SELECT id FROM moz_places);
DELETE FROM moz_origins WHERE id NOT IN (SELECT origin_id FROM moz_places WHERE origin_id IS NOT NULL);
UPDATE moz_origins SET recalc_frecency = 1, recalc_alt_frecency = 1;
COMMIT;
PRAGMA secure_delete=ON;
VACUUM;
PRAGMA wal_checkpoint(TRUNCATE);
