-- Kicks whoever says one of the phrases below, and bans at the third strike. The strikes are kept in
-- the script's data folder (Scripts/data/autokick/strikes), so they outlast a restart. Safe-listed
-- users (and the master and the access list, who are safe too) are never struck.

local phrases = { "buy gold", "free items", "cheap accounts" }
local strikes_to_ban = 3

local strikes = {}

local function load_strikes()
  local text = bot.read("strikes")
  if not text then return end
  for name, count in text:gmatch("([^\n=]+)=(%d+)") do strikes[name] = tonumber(count) end
end

local function save_strikes()
  local lines = {}
  for name, count in pairs(strikes) do lines[#lines + 1] = name .. "=" .. count end
  table.sort(lines)
  bot.write("strikes", table.concat(lines, "\n") .. "\n")
end

local function phrase_in(text)
  local lower = text:lower()
  for _, phrase in ipairs(phrases) do
    if lower:find(phrase, 1, true) then return phrase end
  end
end

function on_talk(name, text)
  local phrase = phrase_in(text)
  if not phrase or bot.is_safe(name) then return end
  local key = name:lower()
  strikes[key] = (strikes[key] or 0) + 1
  save_strikes()
  if strikes[key] >= strikes_to_ban then
    bot.ban(name, "Strike " .. strikes[key] .. ": \"" .. phrase .. "\"")
  else
    bot.kick(name, "Strike " .. strikes[key] .. " of " .. strikes_to_ban .. ": \"" .. phrase .. "\"")
  end
end

load_strikes()
