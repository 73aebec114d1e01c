-- 100,000 visits of 20,000 places on 2,000 origins added to the fixture's places.sqlite; every
-- twentieth place bookmarked (1,000 bookmarks), with input history and page metadata.
BEGIN;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)
INSERT INTO moz_origins(id, prefix, host, frecency) SELECT 1000 + i, 'https://', 'site' || i || '.example.com', 100 FROM n;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
INSERT INTO moz_places(id, url, title, rev_host, visit_count, hidden, typed, frecency, last_visit_date, guid, foreign_count,
    url_hash, origin_id)
SELECT 100000 + i, 'https://site' || (i % 2000) || '.example.com/articles/' || i || '/a-longer-path-of-words?ref=' || (i * 7919 % 100000),
       'Article ' || i || ' - a page of site ' || (i % 2000), 'moc.elpmaxe.' || (i % 2000) || 'etis.', 5, 0, i % 3 = 0, 100,
       1700000000000000 + i * 1000000, printf('bench%07d', i), i % 20 = 0, i * 2654435761 % 281474976710656, 1000 + i % 2000 FROM n;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
INSERT INTO moz_bookmarks(type, fk, parent, position, title, dateAdded, lastModified, guid)
SELECT 1, 100000 + i, 5, 10 + i / 20, 'Bookmark ' || i, 1700000000000000 + i, 1700000000000000 + i, printf('bmark%07d', i)
FROM n WHERE i % 20 = 0;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000)
INSERT INTO moz_historyvisits(id, from_visit, place_id, visit_date, visit_type, session, source)
SELECT 100000 + i, 100000 + i - 1, 100001 + (i * 7 % 20000), 1700000000000000 + i * 200000, 1, 0, 0 FROM n;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)
INSERT INTO moz_inputhistory(place_id, input, use_count) SELECT 100000 + i, 'site' || i, 1 FROM n;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
INSERT INTO moz_places_metadata(place_id, created_at, updated_at, total_view_time)
SELECT 100000 + i, 1700000000000 + i, 1700000000000 + i, 30000 FROM n;
COMMIT;
