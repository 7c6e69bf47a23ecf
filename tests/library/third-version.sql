-- What the third version of the schema added to a file of second-version.sql,
-- whose kit's latest event the trigger it keeps still sets.
-- Frozen: run after second-version.sql, it must open with every later version.
ALTER TABLE kits ADD COLUMN favourite INTEGER NOT NULL DEFAULT 0;
ALTER TABLE kits ADD COLUMN note TEXT NOT NULL DEFAULT '';
ALTER TABLE kits ADD COLUMN folded_note TEXT NOT NULL DEFAULT '';
CREATE INDEX kits_by_favourite ON kits(favourite, id);
CREATE TABLE kit_tags (kit INTEGER NOT NULL REFERENCES kits(id), tag TEXT NOT NULL, PRIMARY KEY (kit, tag)) WITHOUT ROWID;
CREATE INDEX kit_tags_by_tag ON kit_tags(tag);
PRAGMA user_version = 3;
