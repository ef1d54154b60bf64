-- Detection-rule database, built into the template DBPyravue.db at build
-- time. Ids are AUTOINCREMENT so that an id is never handed out twice: rule
-- deletion leaves formula rows behind, and a reused id would attach them to
-- a new rule.
PRAGMA encoding = 'UTF-8';

CREATE TABLE t_detect_rules (
    id               INTEGER PRIMARY KEY AUTOINCREMENT,
    substation_type  INTEGER NOT NULL DEFAULT 0,
    dev_type_name    TEXT NOT NULL DEFAULT '',
    dev_voltage      TEXT NOT NULL DEFAULT '',
    dev_part         TEXT NOT NULL DEFAULT '',
    shape            TEXT NOT NULL DEFAULT '',
    anas             TEXT NOT NULL DEFAULT '',
    image_file_name  TEXT NOT NULL DEFAULT '',
    des_of_judgement TEXT NOT NULL DEFAULT ''
);
CREATE INDEX i_detect_rules_kind ON t_detect_rules (substation_type, dev_type_name, dev_voltage, dev_part);

CREATE TABLE t_formula_of_detect_rules (
    id                 INTEGER PRIMARY KEY AUTOINCREMENT,
    detect_rule_id     INTEGER NOT NULL DEFAULT 0,
    fault_degree_id    INTEGER NOT NULL DEFAULT 0,
    fault_degree_name  TEXT NOT NULL DEFAULT '',
    formula            TEXT NOT NULL DEFAULT '',
    des_of_formula     TEXT NOT NULL DEFAULT '',
    judgement_result   TEXT NOT NULL DEFAULT '',
    thermal_feature    TEXT NOT NULL DEFAULT '',
    handing_suggestion TEXT NOT NULL DEFAULT ''
);
CREATE INDEX i_formula_rule ON t_formula_of_detect_rules (detect_rule_id);

CREATE TABLE t_heartbeat (
    id             INTEGER PRIMARY KEY AUTOINCREMENT,
    heartbeat_time TEXT NOT NULL DEFAULT ''
);
INSERT INTO t_heartbeat (id, heartbeat_time) VALUES (1, '');
