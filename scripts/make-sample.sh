#!/usr/bin/env bash
# Writes a small 汀澜 client database (data.db) to the given path, made from
# our own rows: the sample that the README's main job converts.
set -euo pipefail
out=${1:-sample/data.db}
mkdir -p "$(dirname "$out")"
rm -f "$out"
sqlite3 "$out" <<'SQL'
create table cs_client_info(id integer primary key, client_name text, client_mac text, client_ip text,
  client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text);
insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_gate_way,client_dns1,client_dns2,client_group_name) values
  ('PC01','001a2b3c4d01','3232235777','4294967040','3232235521','3232235521',''          ,'g'),
  ('PC02','001a2b3c4d02','3232235778','4294967040','3232235521','3232235521','134744072' ,'g'),
  ('PC03','001a2b3c4d03','3232235779','4294967040','3232235521','',          '',          'g');
SQL
echo "$out"
