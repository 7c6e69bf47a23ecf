-- A library file as the third version of its schema made it: the kit of
-- second-version.sql, whose latest event its trigger keeps.
-- Frozen: it must open with every later version.
CREATE TABLE kits ( id INTEGER PRIMARY KEY, hash TEXT NOT NULL UNIQUE, length INTEGER NOT NULL, title TEXT NOT NULL, kit_number INTEGER NOT NULL, bank INTEGER NOT NULL, notes BLOB NOT NULL, channels BLOB NOT NULL, last_event INTEGER, times_sent INTEGER NOT NULL DEFAULT 0);
CREATE TABLE kit_bytes (kit INTEGER PRIMARY KEY REFERENCES kits(id), bytes BLOB NOT NULL);
CREATE TABLE events ( id INTEGER PRIMARY KEY, kit INTEGER NOT NULL REFERENCES kits(id), kind TEXT NOT NULL CHECK (kind IN ('opened', 'saved', 'received', 'sent', 'imported')), place TEXT NOT NULL, time INTEGER NOT NULL);
CREATE INDEX events_by_kit_and_place ON events(kit, place);
CREATE TRIGGER events_update_kit AFTER INSERT ON events BEGIN UPDATE kits SET last_event = NEW.id, times_sent = times_sent + (NEW.kind = 'sent') WHERE id = NEW.kit; END;
ALTER TABLE kits ADD COLUMN words TEXT NOT NULL DEFAULT '';
CREATE VIRTUAL TABLE kit_text USING fts5(words, content = 'kits', content_rowid = 'id', tokenize = 'trigram');
CREATE INDEX kits_by_last_event ON kits(last_event);
ALTER TABLE kits ADD COLUMN favourite INTEGER NOT NULL DEFAULT 0;
ALTER TABLE kits ADD COLUMN note TEXT NOT NULL DEFAULT '';
ALTER TABLE kits ADD COLUMN folded_note TEXT NOT NULL DEFAULT '';
CREATE INDEX kits_by_favourite ON kits(favourite, id);
CREATE TABLE kit_tags (kit INTEGER NOT NULL REFERENCES kits(id), tag TEXT NOT NULL, PRIMARY KEY (kit, tag)) WITHOUT ROWID;
CREATE INDEX kit_tags_by_tag ON kit_tags(tag);
INSERT INTO kits (hash, length, title, kit_number, bank, notes, channels, words) VALUES ('00f1', 746, 'FIRST KIT', 2, 1, x'0102030405060708090a0b0c0d0e0f101112131415161718', x'0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a', 'first kit' || char(10) || '/kits/first.syx');
INSERT INTO kit_bytes (kit, bytes) VALUES (1, x'f0f7');
INSERT INTO events (kit, kind, place, time) VALUES (1, 'opened', '/kits/first.syx', 1700000000000);
INSERT INTO kit_text (kit_text) VALUES ('rebuild');
PRAGMA user_version = 3;
