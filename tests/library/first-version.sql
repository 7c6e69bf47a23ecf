-- A library file as the first version of its schema made it, with one kit
-- ("FIRST KIT", kit 2, bank 1; pad notes 1-24, channel 10) opened once.
-- Frozen: it must open with every later version.
CREATE TABLE kits ( id INTEGER PRIMARY KEY, hash TEXT NOT NULL UNIQUE, length INTEGER NOT NULL, title TEXT NOT NULL, kit_number INTEGER NOT NULL, bank INTEGER NOT NULL, notes BLOB NOT NULL, channels BLOB NOT NULL, last_event INTEGER, times_sent INTEGER NOT NULL DEFAULT 0);
CREATE TABLE kit_bytes (kit INTEGER PRIMARY KEY REFERENCES kits(id), bytes BLOB NOT NULL);
CREATE TABLE events ( id INTEGER PRIMARY KEY, kit INTEGER NOT NULL REFERENCES kits(id), kind TEXT NOT NULL CHECK (kind IN ('opened', 'saved', 'received', 'sent', 'imported')), place TEXT NOT NULL, time INTEGER NOT NULL);
CREATE INDEX events_by_kit_and_place ON events(kit, place);
CREATE TRIGGER events_update_kit AFTER INSERT ON events BEGIN UPDATE kits SET last_event = NEW.id, times_sent = times_sent + (NEW.kind = 'sent') WHERE id = NEW.kit; END;
INSERT INTO kits (hash, length, title, kit_number, bank, notes, channels) VALUES ('00f1', 746, 'FIRST KIT', 2, 1, x'0102030405060708090a0b0c0d0e0f101112131415161718', x'0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a');
INSERT INTO kit_bytes (kit, bytes) VALUES (1, x'f0f7');
INSERT INTO events (kit, kind, place, time) VALUES (1, 'opened', '/kits/first.syx', 1700000000000);
PRAGMA user_version = 1;
