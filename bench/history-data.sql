-- 100,000 visits of 20,000 pages on 2,000 sites added to the fixture's History, with what Chromium
-- keeps beside them (context annotations of each visit, segments, search terms, downloads).
BEGIN;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
INSERT INTO urls(id, url, title, visit_count, typed_count, last_visit_time, hidden)
SELECT 100000 + i, 'https://site' || (i % 2000) || '.example.com/articles/' || i || '/a-longer-path-of-words?ref=' || (i * 7919 % 100000),
       'Article ' || i || ' - a page of site ' || (i % 2000), 5, i % 3, 13350000000000000 + i * 1000000, 0 FROM n;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000)
INSERT INTO visits(id, url, visit_time, from_visit, transition, segment_id, visit_duration)
SELECT 100000 + i, 100001 + (i * 7 % 20000), 13350000000000000 + i * 200000, 100000 + i - 1, 805306368, 1 + i % 2000, 30000000 FROM n;
INSERT INTO context_annotations(visit_id, context_annotation_flags, duration_since_last_visit, page_end_reason, total_foreground_duration)
SELECT id, 0, 1000, 3, 25000 FROM visits WHERE id > 100000;
INSERT INTO visit_source(id, source) SELECT id, 0 FROM visits WHERE id > 100000 AND id % 10 = 0;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)
INSERT INTO keyword_search_terms(keyword_id, url_id, term, normalized_term)
SELECT 2, 100000 + i, 'search words ' || i, 'search words ' || i FROM n;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)
INSERT INTO segments(id, name, url_id) SELECT 1000 + i, 'https://site' || i || '.example.com/', 100000 + i FROM n;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
INSERT INTO segment_usage(segment_id, time_slot, visit_count) SELECT 1000 + i % 2000, 13350000000000000 + i * 86400000000, 5 FROM n;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500)
INSERT INTO downloads(id, guid, current_path, target_path, start_time, received_bytes, total_bytes, state, danger_type,
    interrupt_reason, hash, end_time, opened, last_access_time, transient, referrer, site_url, embedder_download_data,
    tab_url, tab_referrer_url, http_method, by_ext_id, by_ext_name, by_web_app_id, etag, last_modified, mime_type,
    original_mime_type)
SELECT 1000 + i, printf('%08d-0000-4000-8000-000000000000', i), 'C:\Users\user\Downloads\file' || i || '.pdf',
       'C:\Users\user\Downloads\file' || i || '.pdf', 13350000000000000 + i, 1000000, 1000000, 1, 0, 0, x'', 13350000000000001 + i,
       0, 0, 0, 'https://site' || i || '.example.com/', '', '', 'https://site' || i || '.example.com/', '', 'GET', '', '', '',
       '', '', 'application/pdf', 'application/pdf' FROM n;
INSERT INTO downloads_url_chains(id, chain_index, url) SELECT id, 0, 'https://site' || id || '.example.com/file.pdf' FROM downloads WHERE id > 1000;
COMMIT;
